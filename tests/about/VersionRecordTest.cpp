#include <gtest/gtest.h>

#include "VersionRecord.h"

namespace {

TEST(VersionRecordTest, TheProgramRecordCarriesTheProjectVersionAndTheProgramTexts) {
  const TVersionRecord& record = TVersionRecord::Program();
  EXPECT_EQ(record.Value(TVersionKey::ProductName), QStringLiteral("Levelora"));
  EXPECT_EQ(record.Value(TVersionKey::FileDescription), QStringLiteral("Levelora"));
  EXPECT_EQ(record.Value(TVersionKey::InternalName), QStringLiteral("Levelora"));
  EXPECT_EQ(record.Value(TVersionKey::OriginalFileName), QStringLiteral("levelora"));
  EXPECT_EQ(record.Value(TVersionKey::FileVersion), QStringLiteral("6.0.0.5"));
  EXPECT_EQ(record.Value(TVersionKey::ProductVersion), QStringLiteral("6.0.0"));
  EXPECT_EQ(record.Value(TVersionKey::Comments),
            QStringLiteral("画像の傾きを補正するアプリケーションです。"));
  const QString maker = record.Value(TVersionKey::CompanyName);
  ASSERT_FALSE(maker.isEmpty());
  EXPECT_TRUE(record.Value(TVersionKey::LegalCopyright).contains(maker));
  EXPECT_TRUE(record.Value(TVersionKey::LegalTrademarks).isEmpty());
}

TEST(VersionRecordTest, KeysAreNamedAsInVersionResources) {
  const std::pair<TVersionKey, const char*> names[] = {
      {TVersionKey::Comments, "Comments"},
      {TVersionKey::CompanyName, "CompanyName"},
      {TVersionKey::FileDescription, "FileDescription"},
      {TVersionKey::FileVersion, "FileVersion"},
      {TVersionKey::InternalName, "InternalName"},
      {TVersionKey::LegalCopyright, "LegalCopyright"},
      {TVersionKey::LegalTrademarks, "LegalTrademarks"},
      {TVersionKey::OriginalFileName, "OriginalFileName"},
      {TVersionKey::ProductName, "ProductName"},
      {TVersionKey::ProductVersion, "ProductVersion"},
  };
  for (const auto& [key, name] : names)
    EXPECT_EQ(TVersionRecord::KeyName(key), QString::fromLatin1(name));
}

TEST(VersionRecordTest, AMissingKeyReadsEmpty) {
  const TVersionRecord record({{TVersionKey::ProductName, QStringLiteral("Other")}});
  EXPECT_EQ(record.Value(TVersionKey::ProductName), QStringLiteral("Other"));
  EXPECT_TRUE(record.Value(TVersionKey::ProductVersion).isEmpty());
  EXPECT_TRUE(TVersionRecord().Value(TVersionKey::Comments).isEmpty());
}

}  // namespace
