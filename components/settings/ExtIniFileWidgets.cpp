// Typed entries over widgets: window placement of forms and bounds of controls.
#include <QWidget>
#include <algorithm>
#include <limits>

#include "ExtIniFile.h"
#include "IniRecords.h"
#include "WindowPlacement.h"

namespace {

// Window state ordinals of the FORM record.
enum : int32_t { kStateNormal = 0, kStateMinimized = 1, kStateMaximized = 2 };

int32_t StateOrdinal(const QWidget& Form) {
  const Qt::WindowStates State = Form.windowState();
  if (State & Qt::WindowMinimized) return kStateMinimized;
  if (State & Qt::WindowMaximized) return kStateMaximized;
  return kStateNormal;
}

int32_t ClampToInt32(int64_t Value) {
  return static_cast<int32_t>(std::clamp<int64_t>(Value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace

void TExtIniFile::WriteForm(const QString& Section, const QString& Item, const QWidget& Form) {
  const TWindowPlacement Placement = GetWindowPlacement(Form);
  const TRect& Normal = Placement.NormalPosition;
  StoreItem(Section, Item, IniRecords::kForm);
  StoreItem(Section, Item + QStringLiteral(".flags"), QString::number(Placement.Flags));
  StoreItem(Section, Item + QStringLiteral(".show"), QString::number(Placement.ShowCmd));
  StoreItem(Section, Item + QStringLiteral(".mx"), QString::number(Placement.MaxPosition.X));
  StoreItem(Section, Item + QStringLiteral(".my"), QString::number(Placement.MaxPosition.Y));
  StoreItem(Section, Item + QStringLiteral(".left"), QString::number(Normal.Left));
  StoreItem(Section, Item + QStringLiteral(".top"), QString::number(Normal.Top));
  StoreItem(Section, Item + QStringLiteral(".right"), QString::number(Normal.Right));
  StoreItem(Section, Item + QStringLiteral(".bottom"), QString::number(Normal.Bottom));
  StoreItem(Section, Item + QStringLiteral(".state"), QString::number(StateOrdinal(Form)));
  StoreItem(Section, Item + QStringLiteral(".cwidth"), QString::number(Form.width()));
  StoreItem(Section, Item + QStringLiteral(".cheight"), QString::number(Form.height()));
  UpdateIfAtOnce();
}

void TExtIniFile::ReadFormPlacement(const QString& Section, const QString& Item, QWidget& Form,
                                    bool KeepPosition) const {
  TWindowPlacement Placement = GetWindowPlacement(Form);
  TRect& Normal = Placement.NormalPosition;
  Placement.Flags = ReadCardinal(Section, Item + QStringLiteral(".flags"), Placement.Flags);
  Placement.MaxPosition =
      TPoint{ReadInt(Section, Item + QStringLiteral(".mx"), Placement.MaxPosition.X),
             ReadInt(Section, Item + QStringLiteral(".my"), Placement.MaxPosition.Y)};
  const TRect Stored{ReadInt(Section, Item + QStringLiteral(".left"), Normal.Left),
                     ReadInt(Section, Item + QStringLiteral(".top"), Normal.Top),
                     ReadInt(Section, Item + QStringLiteral(".right"), Normal.Right),
                     ReadInt(Section, Item + QStringLiteral(".bottom"), Normal.Bottom)};
  if (KeepPosition) {
    Normal.Right = ClampToInt32(int64_t{Normal.Left} + Stored.Right - Stored.Left);
    Normal.Bottom = ClampToInt32(int64_t{Normal.Top} + Stored.Bottom - Stored.Top);
  } else {
    Normal = Stored;
  }
  Placement.ShowCmd = ReadCardinal(Section, Item + QStringLiteral(".show"), Placement.ShowCmd);
  if (Form.isVisible()) {
    SetWindowPlacement(Form, Placement);
    return;
  }
  // A form not yet shown stays hidden; it will open maximised or normal, never minimised.
  Placement.ShowCmd = kShowHide;
  SetWindowPlacement(Form, Placement);
  Form.setWindowState(ReadInt(Section, Item + QStringLiteral(".state"), kStateNormal) ==
                              kStateMaximized
                          ? Qt::WindowMaximized
                          : Qt::WindowNoState);
}

void TExtIniFile::ReadClientSize(const QString& Section, const QString& Item, QWidget& Form) const {
  const QRect Bounds = Form.geometry();
  SetClientBounds(Form, Bounds.x(), Bounds.y(),
                  ReadInt(Section, Item + QStringLiteral(".cwidth"), Bounds.width()),
                  ReadInt(Section, Item + QStringLiteral(".cheight"), Bounds.height()));
}

void TExtIniFile::ReadForm(const QString& Section, const QString& Item, QWidget& Form) const {
  ReadFormPlacement(Section, Item, Form, false);
}

void TExtIniFile::ReadFormEx(const QString& Section, const QString& Item, QWidget& Form) const {
  ReadForm(Section, Item, Form);
  ReadClientSize(Section, Item, Form);
}

void TExtIniFile::WriteForm2(const QString& Section, const QWidget& Form) {
  WriteForm(Section, Form.objectName(), Form);
}

void TExtIniFile::ReadForm2(const QString& Section, QWidget& Form) const {
  ReadForm(Section, Form.objectName(), Form);
}

void TExtIniFile::ReadFormEx2(const QString& Section, QWidget& Form) const {
  ReadFormEx(Section, Form.objectName(), Form);
}

void TExtIniFile::ReadWinPos(const QString& Section, const QString& Item, QWidget& Form) const {
  const QRect Bounds = Form.geometry();
  SetClientBounds(Form, ReadInt(Section, Item + QStringLiteral(".left"), Bounds.x()),
                  ReadInt(Section, Item + QStringLiteral(".top"), Bounds.y()), Bounds.width(),
                  Bounds.height());
}

void TExtIniFile::ReadWinSize(const QString& Section, const QString& Item, QWidget& Form) const {
  ReadFormPlacement(Section, Item, Form, true);
}

void TExtIniFile::ReadWinSizeEx(const QString& Section, const QString& Item, QWidget& Form) const {
  ReadWinSize(Section, Item, Form);
  ReadClientSize(Section, Item, Form);
}

void TExtIniFile::WriteBounds(const QString& Section, const QString& Item,
                              const QWidget& AControl) {
  const QRect Bounds = AControl.geometry();
  StoreItem(Section, Item, IniRecords::kBounds);
  StoreItem(Section, Item + QStringLiteral(".left"), QString::number(Bounds.x()));
  StoreItem(Section, Item + QStringLiteral(".top"), QString::number(Bounds.y()));
  StoreItem(Section, Item + QStringLiteral(".width"), QString::number(Bounds.width()));
  StoreItem(Section, Item + QStringLiteral(".height"), QString::number(Bounds.height()));
  UpdateIfAtOnce();
}

void TExtIniFile::ReadBounds(const QString& Section, const QString& Item, QWidget& AControl) const {
  const QRect Bounds = AControl.geometry();
  SetClientBounds(AControl, ReadInt(Section, Item + QStringLiteral(".left"), Bounds.x()),
                  ReadInt(Section, Item + QStringLiteral(".top"), Bounds.y()),
                  ReadInt(Section, Item + QStringLiteral(".width"), Bounds.width()),
                  ReadInt(Section, Item + QStringLiteral(".height"), Bounds.height()));
}

void TExtIniFile::ReadPos(const QString& Section, const QString& Item, QWidget& AControl) const {
  const QRect Bounds = AControl.geometry();
  SetClientBounds(AControl, ReadInt(Section, Item + QStringLiteral(".left"), Bounds.x()),
                  ReadInt(Section, Item + QStringLiteral(".top"), Bounds.y()), Bounds.width(),
                  Bounds.height());
}

void TExtIniFile::ReadSize(const QString& Section, const QString& Item, QWidget& AControl) const {
  const QRect Bounds = AControl.geometry();
  SetClientBounds(AControl, Bounds.x(), Bounds.y(),
                  ReadInt(Section, Item + QStringLiteral(".width"), Bounds.width()),
                  ReadInt(Section, Item + QStringLiteral(".height"), Bounds.height()));
}
