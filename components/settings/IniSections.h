#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// The section table of a settings store: section keys ("[Forms]") in order of appearance, each
// owning its lines, with a hash index for lookup. A key may occur twice (from a hand-edited file);
// lookups then find the first. Line lists keep their address while the table changes.
class TIniSections {
 public:
  qsizetype Count() const { return static_cast<qsizetype>(FSections.size()); }
  const QString& Key(qsizetype Index) const { return FSections[Index]->Key; }
  QStringList& Lines(qsizetype Index) { return FSections[Index]->Lines; }
  const QStringList& Lines(qsizetype Index) const { return FSections[Index]->Lines; }

  // Index of the first section whose key matches, or -1.
  qsizetype Find(const QString& Key) const;
  qsizetype Append(const QString& Key);
  void Remove(qsizetype Index);
  void Rename(qsizetype Index, const QString& Key);
  void Clear();

  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);

 private:
  struct TSection {
    QString Key;
    QStringList Lines;
  };

  QString IndexKey(const QString& Key) const;
  void Reindex();
  // Only the first of equal keys is found.
  void IndexFirst(const QString& Key, qsizetype Index);

  std::vector<std::unique_ptr<TSection>> FSections;
  QHash<QString, qsizetype> FIndex;
  bool FCaseSensitive = false;
};
