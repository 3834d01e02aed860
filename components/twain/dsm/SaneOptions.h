#pragma once

#include <sane/sane.h>

#include <QStringList>

// A device's options by name, as the scan dialog and the capabilities need them. Numbers are
// handed over as SANE fixed-point values (16.16, the layout of TW_FIX32), whatever the option's
// own type. Failures throw TSourceFailure.
class TSaneOptions {
 public:
  explicit TSaneOptions(SANE_Handle Device) : FDevice(Device) {}

  bool Has(const char* Name) const { return Find(Name) >= 0; }
  QStringList Choices(const char* Name) const;
  QString Text(const char* Name) const;
  void SetText(const char* Name, const QString& Value);
  SANE_Fixed Number(const char* Name) const;
  void SetNumber(const char* Name, SANE_Fixed Value);
  // The smallest and largest value the option accepts.
  std::pair<SANE_Fixed, SANE_Fixed> Limits(const char* Name) const;

 private:
  SANE_Int Find(const char* Name) const;
  const SANE_Option_Descriptor& Descriptor(const char* Name, SANE_Int& Index) const;

  SANE_Handle FDevice;
};
