#pragma once

#include <QLineEdit>
#include <exception>
#include <functional>

#include "NumberEditModel.h"

// A single-line edit that holds one number (see TNumberEditModel). Every character is filtered
// before the line edit inserts it, and every paste route (keys, context menu, middle button) goes
// through the paste filter.
class TNumberEdit : public QLineEdit, public TNumberEditModel {
  Q_OBJECT

 public:
  explicit TNumberEdit(QWidget* parent = nullptr,
                       const TNumberLocale& locale = TNumberLocale::System());

  void SetAutoSelect(bool value) { FAutoSelect = value; }

  QString Text() const override { return text(); }
  void SetText(const QString& text) override;
  int SelStart() const override;
  int SelLength() const override { return int(selectedText().size()); }
  QString SelText() const override { return selectedText(); }
  void SetSelection(int start, int length) override;
  bool Modified() const override { return isModified(); }
  void SetModified(bool modified) override { setModified(modified); }
  bool ReadOnly() const override { return isReadOnly(); }
  bool AutoSelect() const override { return FAutoSelect; }
  bool CtrlDown() const override { return FCtrlDown; }
  std::optional<QString> ClipboardText() const override;
  void ApplyAlignment(TAlignment alignment) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

  // Runs an action of an event handler; an error it raises is shown to the user (once the event
  // is over) instead of leaving the handler.
  void Guarded(const std::function<void()>& action);

 private:
  void TextChanged();
  void ProcessKey(QKeyEvent* event);

  bool FAutoSelect = true;
  bool FCtrlDown = false;
  bool FEntered = false;
  bool FInSetText = false;
  std::exception_ptr FSetTextError;
};
