#include "IniSections.h"

QString TIniSections::IndexKey(const QString& Key) const {
  return FCaseSensitive ? Key : Key.toCaseFolded();
}

qsizetype TIniSections::Find(const QString& Key) const { return FIndex.value(IndexKey(Key), -1); }

qsizetype TIniSections::Append(const QString& Key) {
  FSections.push_back(std::make_unique<TSection>(TSection{Key, {}}));
  const qsizetype Index = Count() - 1;
  IndexFirst(Key, Index);
  return Index;
}

void TIniSections::Remove(qsizetype Index) {
  FSections.erase(FSections.begin() + Index);
  Reindex();
}

void TIniSections::Rename(qsizetype Index, const QString& Key) {
  FSections[Index]->Key = Key;
  Reindex();
}

void TIniSections::Clear() {
  FSections.clear();
  FIndex.clear();
}

void TIniSections::SetCaseSensitive(bool Value) {
  FCaseSensitive = Value;
  Reindex();
}

void TIniSections::Reindex() {
  FIndex.clear();
  for (qsizetype Index = 0; Index < Count(); ++Index) IndexFirst(Key(Index), Index);
}

void TIniSections::IndexFirst(const QString& Key, qsizetype Index) {
  const QString Lookup = IndexKey(Key);
  if (!FIndex.contains(Lookup)) FIndex.insert(Lookup, Index);
}
