#pragma once

#include <sane/sane.h>

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <string>

#include "ScanDialog.h"
#include "twain.h"

class TSaneSource;

// What a source has to tell the application: posted to the source, and recognised when the
// application hands it back through MSG_PROCESSEVENT.
class TSourceEvent : public QEvent {
 public:
  static QEvent::Type EventType();
  TSourceEvent(const TSaneSource* Source, TW_UINT16 Message)
      : QEvent(EventType()), Source(Source), Message(Message) {}
  const TSaneSource* Source;
  TW_UINT16 Message;
};

// One SANE device served as a TWAIN data source, from open (state 4) through enabled (5) and
// transfer ready (6) back. Failures throw TSourceFailure; Condition keeps the last one.
class TSaneSource : public QObject {
  Q_OBJECT
 public:
  TSaneSource(const std::string& DeviceName, const TW_IDENTITY& Identity);
  ~TSaneSource() override;

  const TW_IDENTITY& Identity() const { return FIdentity; }
  bool Enabled() const { return FState != TState::Open; }
  TW_UINT16 Call(TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF Data);
  TW_UINT16 TakeCondition();
  void SetCondition(TW_UINT16 Condition) { FCondition = Condition; }

 private:
  enum class TState { Open, Enabled, TransferReady };

  TW_UINT16 Enable(const TW_USERINTERFACE& UserInterface);
  TW_UINT16 Disable();
  TW_UINT16 ProcessEvent(TW_EVENT& Event);
  TW_UINT16 TransferNative(TW_HANDLE& Image);
  TW_UINT16 EndTransfer(TW_PENDINGXFERS& Pending);
  TW_UINT16 Capability(TW_UINT16 MSG, TW_CAPABILITY& Capability);
  void ShowDialog(QWidget* Parent, bool Modal);
  void ApplyDialog();
  void Post(TW_UINT16 Message);
  void Require(bool Condition, TW_UINT16 Failure = TWCC_SEQERROR) const;

  SANE_Handle FDevice = nullptr;
  TW_IDENTITY FIdentity;
  TState FState = TState::Open;
  TW_UINT16 FCondition = TWCC_SUCCESS;
  // A dialog setting the device refused: the transfer that follows fails with it.
  TW_UINT16 FSettingFailure = TWCC_SUCCESS;
  QPointer<TScanDialog> FDialog;
  // The application's window given at enabling: the progress indicator stands over it.
  QPointer<QWidget> FParent;
};
