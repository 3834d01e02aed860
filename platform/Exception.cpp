#include "Exception.h"
