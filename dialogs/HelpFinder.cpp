#include "HelpFinder.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QList>
#include <algorithm>

namespace {

char32_t FoldAsciiCase(char32_t c) { return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c; }

// Wildcard matching that backtracks only to the last "*", so that masks with many stars stay
// linear in practice instead of exploring every split of the name.
bool Matches(const QList<uint>& mask, const QList<uint>& name) {
  qsizetype m = 0, n = 0;
  qsizetype starMask = -1, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == U'*') {
      starMask = m++;
      starName = n;
    } else if (m < mask.size() &&
               (mask[m] == U'?' || FoldAsciiCase(mask[m]) == FoldAsciiCase(name[n]))) {
      ++m;
      ++n;
    } else if (starMask >= 0) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == U'*') ++m;
  return m == mask.size();
}

QStringList SplitMasks(const QString& Masks) {
  QStringList masks = Masks.split(u';');
  for (QString& mask : masks)
    if (mask.startsWith(u'.')) mask.prepend(u'*');
  return masks;
}

QString WithTrailingDelimiter(const QString& Folder) {
  return Folder.endsWith(u'/') ? Folder : Folder + u'/';
}

void Walk(const QString& Folder, const QStringList& Masks, int Depth, int MaxDepth,
          QStringList& List) {
  QDirIterator entries(Folder,
                       QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  while (entries.hasNext()) {
    entries.next();
    const QFileInfo entry = entries.fileInfo();
    const QString name = entry.fileName();
    if (entry.isDir()) {
      // Linked folders are not followed: a link back up the tree would repeat the walk.
      if (!entry.isSymLink() && Depth < MaxDepth)
        Walk(Folder + name + u'/', Masks, Depth + 1, MaxDepth, List);
    } else if (entry.isFile()) {
      if (std::any_of(Masks.begin(), Masks.end(),
                      [&](const QString& mask) { return FitsMask(mask, name); }))
        List.append(Folder + name);
    }
  }
}

}  // namespace

bool FitsMask(const QString& Mask, const QString& Name) {
  return !Mask.isEmpty() && Matches(Mask.toUcs4(), Name.toUcs4());
}

bool FindFiles(const QString& Folder, const QString& Masks, uint16_t MaxDepth, QStringList& List) {
  List.clear();
  const QStringList masks = SplitMasks(Masks);
  if (Folder.isEmpty() || !QFileInfo(Folder).isDir()) return false;
  Walk(WithTrailingDelimiter(Folder), masks, 0, MaxDepth, List);
  return true;
}
