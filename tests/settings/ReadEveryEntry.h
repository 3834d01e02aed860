#pragma once

// Calls every typed reader of a store on what a loaded file holds: the damaged-file test and the
// fuzz target share it, so both reach every reader the same way.
#include <QWidget>
#include <algorithm>

#include "ExtIniFile.h"

// Every reader, over Item and the record it may belong to.
inline void ReadEverything(const TExtIniFile& Store, const QString& Section, const QString& Item,
                           QWidget& Form, QWidget& Control) {
  Store.ReadBool(Section, Item, false);
  Store.ReadInt(Section, Item, 0);
  Store.ReadInt64(Section, Item, 0);
  Store.ReadCardinal(Section, Item, 0);
  Store.ReadUInt(Section, Item, 0);
  Store.ReadColor(Section, Item, 0);
  Store.ReadFloat(Section, Item, 0);
  Store.ReadCurr(Section, Item, Currency{});
  Store.ReadDateTime(Section, Item, 0);
  Store.ReadDate(Section, Item, 0);
  Store.ReadTime(Section, Item, 0);
  Store.ReadStr(Section, Item, QString());
  Store.ReadDirectory(Section, Item, QString());
  Store.ReadStrEx(Section, Item, QByteArray(), QByteArray("key"));
  Store.ReadStrEx(Section, Item, QString(), QString("鍵"));
  const QString Record = Item.left(Item.lastIndexOf(u'.'));
  for (const QString& Name : {Item, Record}) {
    TFont Font;
    Store.ReadFont(Section, Name, Font);
    Store.ReadPoint(Section, Name, TPoint{});
    Store.ReadRect(Section, Name, TRect{});
    QStringList List;
    Store.ReadList(Section, Name, List);
    Store.ReadFormEx(Section, Name, Form);
    Store.ReadWinSizeEx(Section, Name, Form);
    Store.ReadWinPos(Section, Name, Form);
    Store.ReadBounds(Section, Name, Control);
    Store.ReadPos(Section, Name, Control);
    Store.ReadSize(Section, Name, Control);
  }
}

inline void ExerciseReaders(TExtIniFile& Store, QWidget& Form, QWidget& Control) {
  QStringList Names;
  Store.ReadSectionName(Names);
  for (int32_t Index = 0; Index < std::min<int32_t>(Store.SectionCount(), 6); ++Index) {
    const QString Section = Store.Sections(Index);
    QStringList Lines;
    Store.ReadSection(Section, Lines);
    for (qsizetype Line = 0; Line < std::min<qsizetype>(Lines.size(), 8); ++Line) {
      const QString Item = Lines.at(Line).section(u'=', 0, 0);
      ReadEverything(Store, Section, Item, Form, Control);
    }
    ReadEverything(Store, Section, QStringLiteral("k"), Form, Control);
  }
}
