#pragma once

#include <QComboBox>
#include <functional>
#include <optional>

#include "IniTypes.h"

// A drop-down list of the standard colours, each with a swatch and its name, headed by a custom
// entry that opens the colour chooser. Colours are 0x00BBGGRR, or a system-colour code; a colour
// that is not in the list is held by the custom entry.
class TColorComboBox : public QComboBox {
  Q_OBJECT

 public:
  using TNotifyEvent = std::function<void(TColorComboBox& Sender)>;
  // Asks the user for a colour, starting from Initial; empty when the user cancels.
  using TColorChooser = std::function<std::optional<TColor>(QWidget* Parent, TColor Initial)>;

  explicit TColorComboBox(QWidget* Parent = nullptr);

  TColor Selected() const;
  void SetSelected(TColor Value);
  // The custom entry's current colour.
  TColor CustomColor() const;

  // Replaces the platform's colour chooser (tests answer it without a dialog).
  void SetColorChooser(TColorChooser Value) { FColorChooser = std::move(Value); }
  // Raised whenever the selected colour changes, by the user or by SetSelected.
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

  static constexpr int kCustomIndex = 0;

 private:
  void SetCustomColor(TColor Value);
  void ItemActivated(int Index);
  void CurrentIndexChanged();
  static std::optional<TColor> ChooseWithDialog(QWidget* Parent, TColor Initial);

  TColorChooser FColorChooser = &TColorComboBox::ChooseWithDialog;
  TNotifyEvent FOnChange;
  // The entry that was selected before the custom entry was picked, restored on cancel.
  int FLastIndex = -1;
  TColor FLastColor = 0;
};
