#include "SourceManager.h"

// The manager's one exported symbol, called by applications that load this library.
extern "C" __attribute__((visibility("default"))) TW_UINT16 DSM_Entry(TW_IDENTITY* Origin,
                                                                      TW_IDENTITY* Dest,
                                                                      TW_UINT32 DG, TW_UINT16 DAT,
                                                                      TW_UINT16 MSG,
                                                                      TW_MEMREF Data) {
  return TSourceManager::Instance().Entry(Origin, Dest, DG, DAT, MSG, Data);
}
