#pragma once

#include <QString>
#include <optional>

#include "NumberEditModel.h"

inline const TNumberLocale kDotLocale{u'.', u','};
inline const TNumberLocale kCommaLocale{u',', u'.'};

// Writes a text given with "." as decimal and "," as thousands separator for `locale`.
inline QString InLocale(const QString& text, const TNumberLocale& locale) {
  QString s = text;
  for (QChar& c : s) {
    if (c == u'.')
      c = locale.DecimalSeparator;
    else if (c == u',')
      c = locale.ThousandSeparator;
  }
  return s;
}

// An edit line in memory: typing edits its text the way a single-line edit does, program
// assignments run the text-changed handling only when the text differs.
class TFakeEdit : public TNumberEditModel {
 public:
  explicit TFakeEdit(const TNumberLocale& locale = kDotLocale) : TNumberEditModel(locale) {
    Initialize();
  }

  using TNumberEditModel::FocusEnter;
  using TNumberEditModel::FocusExit;
  using TNumberEditModel::Paste;

  QString Text() const override { return FText; }
  void SetText(const QString& text) override {
    if (text == FText) return;
    FText = text;
    FSelStart = int(text.size());
    FSelLength = 0;
    FModified = false;
    Change();
  }
  int SelStart() const override { return FSelStart; }
  int SelLength() const override { return FSelLength; }
  QString SelText() const override { return FText.mid(FSelStart, FSelLength); }
  void SetSelection(int start, int length) override {
    FSelStart = start;
    FSelLength = length;
  }
  bool Modified() const override { return FModified; }
  void SetModified(bool modified) override { FModified = modified; }
  bool ReadOnly() const override { return FReadOnly; }
  bool AutoSelect() const override { return FAutoSelect; }
  bool CtrlDown() const override { return FCtrlDown; }
  std::optional<QString> ClipboardText() const override { return FClipboard; }
  void ApplyAlignment(TAlignment alignment) override {
    FApplied = alignment;
    ++FAlignmentApplications;
  }

  // Types each character as a key: the filter may swallow it, backspace erases, others replace
  // the selection.
  void Type(const QString& keys) {
    for (QChar key : keys) {
      const QChar c = KeyPress(key);
      if (c.isNull() || c == QChar(13) || FReadOnly) continue;
      QString text = FText;
      int caret = FSelStart;
      if (FSelLength > 0)
        text.remove(caret, FSelLength);
      else if (c == QChar(8) && caret > 0)
        text.remove(--caret, 1);
      if (c != QChar(8)) text.insert(caret++, c);
      FSelStart = caret;
      FSelLength = 0;
      if (text == FText) continue;
      FText = text;
      FModified = true;
      Change();
    }
  }
  void Arrow(TArrowKeyDirection direction) { ArrowKeyDown(direction); }
  void Select(int start, int length) { SetSelection(start, length); }

  bool FReadOnly = false;
  bool FAutoSelect = true;
  bool FCtrlDown = false;
  std::optional<QString> FClipboard;
  TAlignment FApplied = TAlignment::taLeftJustify;
  int FAlignmentApplications = 0;

 private:
  QString FText;
  int FSelStart = 0;
  int FSelLength = 0;
  bool FModified = false;
};
