#pragma once

#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "SaneSource.h"
#include "twain.h"

// The manager behind DSM_Entry: while open it offers every device SANE finds as a data source
// and passes the calls addressed to a source on to it.
class TSourceManager {
 public:
  static TSourceManager& Instance();
  TW_UINT16 Entry(TW_IDENTITY* Origin, TW_IDENTITY* Dest, TW_UINT32 DG, TW_UINT16 DAT,
                  TW_UINT16 MSG, TW_MEMREF Data);

 private:
  struct TDevice {
    std::string Name;
    TW_IDENTITY Identity;
  };

  TW_UINT16 ManagerCall(TW_IDENTITY* Origin, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF Data);
  TW_UINT16 SourceCall(TW_IDENTITY& Dest, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                       TW_MEMREF Data);
  TW_UINT16 Open(TW_IDENTITY& Origin, QWidget* Parent);
  TW_UINT16 Close();
  TW_UINT16 OpenSource(TW_IDENTITY& Source);
  TW_UINT16 CloseSource(const TW_IDENTITY& Source);
  TW_UINT16 UserSelect(TW_IDENTITY& Source);
  TW_UINT16 NextIdentity(TW_UINT16 MSG, TW_IDENTITY& Source);
  const TDevice& DeviceFor(const TW_IDENTITY& Source) const;
  void ReadDevices();

  bool FOpened = false;
  TW_UINT16 FCondition = TWCC_SUCCESS;
  QPointer<QWidget> FParent;
  std::vector<TDevice> FDevices;
  size_t FNextListed = 0;
  size_t FSelected = 0;
  std::map<TW_UINT32, std::unique_ptr<TSaneSource>> FSources;
};
