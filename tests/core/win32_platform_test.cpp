// The Windows adapters: file names, replacing renames, the one-writer lock and the stored
// settings in the registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "error.h"
#include "recording_notifier.h"
#include "settings_path.h"
#include "shared_dir.h"
#include "test_dir.h"
#include "win32_file_system.h"
#include "win32_text.h"
#include "writer_lock.h"

namespace mirva {
namespace {

TEST(Win32FileSystem, NamesReachTheFilesAsUtf16) {
  TestDir dir;
  Win32FileSystem fs;
  const struct {
    std::string name;    ///< as the core passes it
    std::string listed;  ///< as FileNames gives it back, UTF-8
  } cases[] = {
      {"plain.txt", "plain.txt"},
      {"\xd0\xb6\xd1\x83\xd1\x80\xd0\xbd\xd0\xb0\xd0\xbb.dat",
       "\xd0\xb6\xd1\x83\xd1\x80\xd0\xbd\xd0\xb0\xd0\xbb.dat"},
      // Windows-1251 bytes that are no UTF-8: the same Cyrillic letters.
      {"\xe6\xf3\xf0.ini", "\xd0\xb6\xd1\x83\xd1\x80.ini"},
  };
  for (const auto& c : cases) {
    // Joined by hand: std::filesystem takes a narrow name in the ANSI code page.
    std::string path = dir.path() + "\\" + c.name;
    fs.WriteFile(path, "bytes");
    EXPECT_EQ(fs.ReadFile(path), "bytes") << c.listed;
    EXPECT_TRUE(fs.Exists(dir.path() + "\\" + c.listed)) << c.listed;
    std::vector<std::string> names = fs.FileNames(dir.path());
    EXPECT_NE(std::find(names.begin(), names.end(), c.listed), names.end())
        << c.listed << " among " << ::testing::PrintToString(names);
    fs.Remove(path);
    EXPECT_FALSE(fs.Exists(path)) << c.listed;
  }
}

TEST(Win32FileSystem, RenameReplacesAndWritesKeepOtherBytes) {
  TestDir dir;
  Win32FileSystem fs;
  fs.WriteFile(dir / "log", "0123456789");
  fs.WriteAt(dir / "log", 12, "AB");  // past the end: the gap reads as zero bytes
  EXPECT_EQ(fs.ReadFile(dir / "log"), std::string("0123456789\0\0AB", 14));
  fs.Truncate(dir / "log", 4);
  fs.WriteFile(dir / "new", "new");
  fs.Rename(dir / "new", dir / "log");
  EXPECT_EQ(fs.ReadFile(dir / "log"), "new");
  EXPECT_FALSE(fs.Exists(dir / "new"));
  fs.ReplaceUnsynced(dir / "log", dir / "log.tmp", "mirror");
  EXPECT_EQ(fs.ReadFile(dir / "log"), "mirror");
  fs.LinkOrCopy(dir / "log", dir / "copy");
  EXPECT_EQ(fs.ReadFile(dir / "copy"), "mirror");
  fs.WriteFile(dir / "ro", "");
  EXPECT_TRUE(fs.SameFile(dir / "log", dir / "sub/../log"));
  EXPECT_FALSE(fs.SameFile(dir / "log", dir / "missing"));
  fs.Remove(dir / "missing");  // no error
  EXPECT_THROW(fs.WriteAt(dir / "missing", 0, "x"), IoError);
  ASSERT_TRUE(
      SetFileAttributesW(std::filesystem::path(dir / "ro").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(fs.ReadOnly(dir / "ro"));
  EXPECT_FALSE(fs.ReadOnly(dir / "log"));
  EXPECT_FALSE(fs.ReadOnly(dir.path()));
  SetFileAttributesW(std::filesystem::path(dir / "ro").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Win32WriterLock, OneHolderAtATimeWhoseNameStaysReadable) {
  TestDir dir;
  const std::string holder = "the program, process " + std::to_string(GetCurrentProcessId());
  std::optional<WriterLock> lock;
  lock.emplace(dir.path(), "the program");
  EXPECT_EQ(WriterLock::Holder(dir.path()), holder);
  try {
    WriterLock second(dir.path(), "second");
    ADD_FAILURE() << "a second writer got the lock";
  } catch (const IoError& e) {
    EXPECT_NE(std::string(e.what()).find("is open in " + holder), std::string::npos) << e.what();
  }
  lock.reset();
  EXPECT_EQ(WriterLock::Holder(dir.path()), std::nullopt);
  // A name left by a process that is gone keeps no one out.
  dir.Write(kLockFileName, "999999\nmirva\n");
  EXPECT_EQ(WriterLock::Holder(dir.path()), std::nullopt);
  EXPECT_NO_THROW({ WriterLock third(dir.path(), "third"); });
}

TEST(Win32SharedDirectory, IsTheWindowsDirectory) {
  wchar_t windows[MAX_PATH];
  UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
  ASSERT_GT(length, 0u);
  EXPECT_TRUE(Win32FileSystem().SameFile(SharedDirectory(), Utf8FromWide(windows)));
}

/// Writes the registry as the windowed program's QSettings would, and removes it again.
class StoredRegistry {
 public:
  StoredRegistry() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root_,
                    nullptr);
  }
  ~StoredRegistry() {
    RegCloseKey(root_);
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
  }
  void Set(const wchar_t* section, const wchar_t* name, const std::wstring& text) {
    RegSetKeyValueW(root_, section, name, REG_SZ, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  void SetNumber(const wchar_t* section, const wchar_t* name, DWORD number) {
    RegSetKeyValueW(root_, section, name, REG_DWORD, &number, sizeof number);
  }

 private:
  static constexpr wchar_t kKey[] = L"Software\\Mirva contest module\\OrganizationDefaults";
  HKEY root_ = nullptr;
};

TEST(Win32StoredSettings, ReadsSectionsAsSubkeys) {
  StoredRegistry registry;
  registry.SetNumber(L"ContestName", L"lbContestList.Tag", 3);
  registry.Set(L"Station configuration", L"eCall", L"DL1ABC");
  registry.Set(L"Station configuration", L"eState", L"\u041c\u043e\u0441\u043a\u0432\u0430 \"\\");
  RecordingNotifier notifier;
  Win32FileSystem fs;
  StoredSettings settings = LoadUserSettings(fs, notifier);
  EXPECT_EQ(settings.contest_index, 3);
  ASSERT_TRUE(settings.station.has_value());
  EXPECT_EQ(settings.station->Call, "DL1ABC");
  EXPECT_EQ(settings.station->State, "\xcc\xee\xf1\xea\xe2\xe0 \"\\");
  EXPECT_TRUE(notifier.messages.empty());
}

}  // namespace
}  // namespace mirva
