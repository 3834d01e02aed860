#include "VersionRecord.h"

#include <iterator>
#include <utility>

#include "VersionValues.h"

namespace {

constexpr const char* kKeyNames[] = {
    "Comments",       "CompanyName",     "FileDescription",  "FileVersion", "InternalName",
    "LegalCopyright", "LegalTrademarks", "OriginalFileName", "ProductName", "ProductVersion",
};
static_assert(std::size(kKeyNames) == std::size(kProgramVersionStrings));

}  // namespace

TVersionRecord::TVersionRecord(std::map<TVersionKey, QString> Strings)
    : FStrings(std::move(Strings)) {}

const TVersionRecord& TVersionRecord::Program() {
  static const TVersionRecord record = [] {
    std::map<TVersionKey, QString> strings;
    for (size_t i = 0; i < std::size(kProgramVersionStrings); ++i)
      strings.emplace(TVersionKey(i), QString::fromUtf8(kProgramVersionStrings[i]));
    return TVersionRecord(std::move(strings));
  }();
  return record;
}

QString TVersionRecord::KeyName(TVersionKey Key) {
  return QString::fromLatin1(kKeyNames[size_t(Key)]);
}

QString TVersionRecord::Value(TVersionKey Key) const {
  const auto found = FStrings.find(Key);
  return found == FStrings.end() ? QString() : found->second;
}
