#pragma once

#include <QString>
#include <map>

// The keys of a version record, by index.
enum class TVersionKey {
  Comments,
  CompanyName,
  FileDescription,
  FileVersion,
  InternalName,
  LegalCopyright,
  LegalTrademarks,
  OriginalFileName,
  ProductName,
  ProductVersion,
};

// The strings that describe a program file: its name, version, maker and legal notice, each under
// one of the ten keys. A key the record lacks reads as an empty string.
class TVersionRecord {
 public:
  explicit TVersionRecord(std::map<TVersionKey, QString> Strings = {});

  // The running program's own record, compiled in from the project version.
  static const TVersionRecord& Program();
  // The key's name as version resources spell it ("ProductName").
  static QString KeyName(TVersionKey Key);

  QString Value(TVersionKey Key) const;

 private:
  std::map<TVersionKey, QString> FStrings;
};
