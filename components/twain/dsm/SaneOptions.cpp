#include "SaneOptions.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "SourceFailure.h"

namespace {

SANE_Fixed ToFixed(const SANE_Option_Descriptor& Option, SANE_Word Value) {
  return Option.type == SANE_TYPE_FIXED ? Value : SANE_FIX(Value);
}

}  // namespace

SANE_Int TSaneOptions::Find(const char* Name) const {
  for (SANE_Int i = 1;; ++i) {
    const SANE_Option_Descriptor* option = sane_get_option_descriptor(FDevice, i);
    if (option == nullptr) return -1;
    if (option->name != nullptr && std::strcmp(option->name, Name) == 0 &&
        SANE_OPTION_IS_ACTIVE(option->cap))
      return i;
  }
}

const SANE_Option_Descriptor& TSaneOptions::Descriptor(const char* Name, SANE_Int& Index) const {
  Index = Find(Name);
  if (Index < 0) throw TSourceFailure{TWCC_CAPUNSUPPORTED};
  return *sane_get_option_descriptor(FDevice, Index);
}

QStringList TSaneOptions::Choices(const char* Name) const {
  SANE_Int index;
  const SANE_Option_Descriptor& option = Descriptor(Name, index);
  QStringList choices;
  if (option.constraint_type == SANE_CONSTRAINT_STRING_LIST)
    for (const SANE_String_Const* s = option.constraint.string_list; *s != nullptr; ++s)
      choices << QString::fromUtf8(*s);
  return choices;
}

QString TSaneOptions::Text(const char* Name) const {
  SANE_Int index;
  const SANE_Option_Descriptor& option = Descriptor(Name, index);
  if (option.type != SANE_TYPE_STRING) throw TSourceFailure{TWCC_BADVALUE};
  std::vector<char> value(static_cast<size_t>(option.size) + 1, '\0');
  if (sane_control_option(FDevice, index, SANE_ACTION_GET_VALUE, value.data(), nullptr) !=
      SANE_STATUS_GOOD)
    throw TSourceFailure{TWCC_OPERATIONERROR};
  return QString::fromUtf8(value.data());
}

void TSaneOptions::SetText(const char* Name, const QString& Value) {
  SANE_Int index;
  const SANE_Option_Descriptor& option = Descriptor(Name, index);
  QByteArray text = Value.toUtf8();
  if (option.type != SANE_TYPE_STRING || text.size() >= option.size)
    throw TSourceFailure{TWCC_BADVALUE};
  if (sane_control_option(FDevice, index, SANE_ACTION_SET_VALUE, text.data(), nullptr) !=
      SANE_STATUS_GOOD)
    throw TSourceFailure{TWCC_BADVALUE};
}

SANE_Fixed TSaneOptions::Number(const char* Name) const {
  SANE_Int index;
  const SANE_Option_Descriptor& option = Descriptor(Name, index);
  if (option.type != SANE_TYPE_INT && option.type != SANE_TYPE_FIXED)
    throw TSourceFailure{TWCC_BADVALUE};
  SANE_Word value = 0;
  if (sane_control_option(FDevice, index, SANE_ACTION_GET_VALUE, &value, nullptr) !=
      SANE_STATUS_GOOD)
    throw TSourceFailure{TWCC_OPERATIONERROR};
  return ToFixed(option, value);
}

void TSaneOptions::SetNumber(const char* Name, SANE_Fixed Value) {
  SANE_Int index;
  const SANE_Option_Descriptor& option = Descriptor(Name, index);
  const auto [low, high] = Limits(Name);
  if (Value < low || Value > high) throw TSourceFailure{TWCC_BADVALUE};
  SANE_Word value =
      option.type == SANE_TYPE_FIXED ? Value : static_cast<SANE_Word>(SANE_UNFIX(Value) + 0.5);
  if (sane_control_option(FDevice, index, SANE_ACTION_SET_VALUE, &value, nullptr) !=
      SANE_STATUS_GOOD)
    throw TSourceFailure{TWCC_BADVALUE};
}

std::pair<SANE_Fixed, SANE_Fixed> TSaneOptions::Limits(const char* Name) const {
  SANE_Int index;
  const SANE_Option_Descriptor& option = Descriptor(Name, index);
  if (option.constraint_type == SANE_CONSTRAINT_RANGE)
    return {ToFixed(option, option.constraint.range->min),
            ToFixed(option, option.constraint.range->max)};
  if (option.constraint_type == SANE_CONSTRAINT_WORD_LIST && option.constraint.word_list[0] > 0) {
    const SANE_Word* first = option.constraint.word_list + 1;
    const auto [low, high] = std::minmax_element(first, first + option.constraint.word_list[0]);
    return {ToFixed(option, *low), ToFixed(option, *high)};
  }
  return {SANE_FIX(1), SANE_FIX(32767)};
}
