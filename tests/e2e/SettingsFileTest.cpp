// The settings file as the programs see it: a probe program built on the
// settings store is copied into private directories and run there, so
// "beside the executable" is a real, isolated place.
#include "ImportSlot.h"
#include "ProgramHome.h"
#include "ReloadReceiver.h"
#include "SettingsFile.h"
#include "SettingsRecords.h"
#include "ShiftJis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kProbe = WindowsPathOf(SETTINGS_PROBE_EXE);
const HomeProgram kProbeCopy = {kProbe, "probe.exe"};

std::string DefaultBytes() { return BytesOf(DefaultRecord()); }

// Runs the probe of home with "load" and returns the record's bytes (a failed
// run fails the test); ExeDirectory into *directory.
std::string Load(const ProgramHome& home, std::string* directory = nullptr) {
  const std::string out = home.Root() + "\\loaded.bin";
  EXPECT_EQ(RunToExit(home.File("probe.exe"), "load \"" + out + "\""), 0u);
  if (directory != nullptr) *directory = ReadBytes(out + ".dir");
  return ReadBytes(out);
}

// Runs the probe of home with "save" for the given bytes; returns its exit code.
DWORD Save(const ProgramHome& home, const std::string& recordBytes, HWND window = nullptr) {
  const std::string in = home.Root() + "\\to-save.bin";
  WriteBytes(in, recordBytes);
  std::string args = "save \"" + in + "\"";
  if (window != nullptr) args += " " + std::to_string(reinterpret_cast<UINT_PTR>(window));
  return RunToExit(home.File("probe.exe"), args);
}

// A test with a private folder holding nothing but a copy of the probe (and
// what the probe writes beside itself); the test's own files stay one level up.
class ProbeTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(home.Ready()); }

  const ProgramHome home{"settings", {kProbeCopy}, "home"};
};
using LoadSettings = ProbeTest;
using SaveSettings = ProbeTest;

TEST_F(LoadSettings, MissingOrShortFileGivesTheDefaultsAndFindsTheDirectory) {
  std::string directory;
  EXPECT_EQ(Load(home, &directory), DefaultBytes());
  EXPECT_EQ(directory, home.Directory());

  WriteBytes(home.SettingsFile(), DistinctRecordBytes(1).substr(0, 155));
  EXPECT_EQ(Load(home), DefaultBytes()) << "155 bytes are not a record";

  WriteBytes(home.SettingsFile(), "");
  EXPECT_EQ(Load(home), DefaultBytes());
}

TEST_F(LoadSettings, TakesTheFirst156BytesUnchanged) {
  const std::string record = DistinctRecordBytes(3);
  WriteBytes(home.SettingsFile(), record + std::string(44, '\x55'));
  EXPECT_EQ(Load(home), record);
  // Nonsense is not validated: unterminated texts and odd values come back as stored.
  const std::string nonsense(156, '\xFF');
  WriteBytes(home.SettingsFile(), nonsense);
  EXPECT_EQ(Load(home), nonsense);
}

TEST_F(SaveSettings, StoresExactlyTheRecordAndLeavesNoOtherFile) {
  // What an editor ended between writing and replacing left behind.
  WriteBytes(home.Directory() + "\\curlin.new", "stale");
  const std::string record = DistinctRecordBytes(5);
  EXPECT_EQ(Save(home, record), 1u);
  EXPECT_EQ(ReadBytes(home.SettingsFile()), record);
  EXPECT_EQ(Load(home), record) << "what is saved loads back byte for byte";

  const std::string second = DistinctRecordBytes(9);
  EXPECT_EQ(Save(home, second), 1u);
  EXPECT_EQ(ReadBytes(home.SettingsFile()), second) << "a longer old file is replaced whole";
  EXPECT_EQ(FileNamesIn(home.Directory()), (std::vector<std::string>{"curlin.dat", "probe.exe"}));
}

TEST_F(SaveSettings, WorksInDirectoriesWithSpacesAndDoubleByteNames) {
  ASSERT_TRUE(JapaneseLocaleActive());
  // 表 and ソ carry the byte 0x5C as their second byte.
  const ProgramHome named("settings", {kProbeCopy}, "with space\\" + ToShiftJis(L"表ソ設定"));
  ASSERT_TRUE(named.Ready());
  std::string directory;
  Load(named, &directory);
  EXPECT_EQ(directory, named.Directory());
  const std::string record = DistinctRecordBytes(11);
  EXPECT_EQ(Save(named, record), 1u);
  EXPECT_EQ(ReadBytes(named.SettingsFile()), record);
}

TEST_F(SaveSettings, AReadOnlyFileFailsStaysByteForByteAndNobodyIsTold) {
  ReloadReceiver receiver(home.SettingsFile());
  ASSERT_NE(receiver.Window(), nullptr);
  const std::string old = DistinctRecordBytes(13);
  WriteBytes(home.SettingsFile(), old);
  WriteBytes(home.Directory() + "\\curlin.new", "stale");
  ASSERT_TRUE(SetFileAttributesA(home.SettingsFile().c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(Save(home, DistinctRecordBytes(17), receiver.Window()), 0u);
  EXPECT_EQ(ReadBytes(home.SettingsFile()), old);
  EXPECT_EQ(FileNamesIn(home.Directory()), (std::vector<std::string>{"curlin.dat", "probe.exe"}))
      << "a failed save removes what an earlier one left, and leaves nothing itself";
  PumpMessages();
  EXPECT_EQ(receiver.Requests(), 0) << "a failed save sends no reload request";
}

TEST_F(SaveSettings, AFolderInTheFilesPlaceFailsAndStays) {
  ASSERT_TRUE(CreateDirectoryA(home.SettingsFile().c_str(), nullptr));
  WriteBytes(home.SettingsFile() + "\\kept.txt", "kept");
  EXPECT_EQ(Save(home, DistinctRecordBytes(53)), 0u);
  EXPECT_EQ(ReadBytes(home.SettingsFile() + "\\kept.txt"), "kept");
  EXPECT_EQ(FileNamesIn(home.Directory()), (std::vector<std::string>{"curlin.dat", "probe.exe"}));
}

TEST_F(SaveSettings, AFileHeldOpenByAnotherProgramFailsAndStays) {
  const std::string old = DistinctRecordBytes(19);
  WriteBytes(home.SettingsFile(), old);
  HANDLE held = CreateFileA(home.SettingsFile().c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Save(home, DistinctRecordBytes(23)), 0u);
  CloseHandle(held);
  EXPECT_EQ(ReadBytes(home.SettingsFile()), old);
  EXPECT_EQ(FileNamesIn(home.Directory()).size(), 2u) << "no temporary file is left";
}

TEST_F(SaveSettings, WorksInEveryFolderWhoseSettingsPathFits) {
  ScratchDirectory base("deep");
  const std::string in = base.Path() + "\\to-save.bin";
  const std::string record = DistinctRecordBytes(29);
  WriteBytes(in, record);

  // "\curlin.dat" is 11 bytes: a 248-byte folder makes the longest settings
  // path that fits 260 bytes with its terminator.
  const std::string longest = ProgramDirectoryOfLength(base.Path(), 248, kProbe, "p.exe");
  ASSERT_EQ(longest.size(), 248u);
  EXPECT_EQ(RunToExit(longest + "\\p.exe", "save \"" + in + "\""), 1u);
  EXPECT_EQ(ReadBytes(longest + "\\curlin.dat"), record);
  EXPECT_EQ(FileNamesIn(longest), (std::vector<std::string>{"curlin.dat", "p.exe"}));

  // One byte more and the settings path would be cut: the probe's own path
  // still fits, but nothing is read or written under a cut name.
  const std::string tooLong = ProgramDirectoryOfLength(base.Path(), 249, kProbe, "p.exe");
  ASSERT_EQ(tooLong.size(), 249u);
  const std::string out = base.Path() + "\\loaded.bin";
  ASSERT_EQ(RunToExit(tooLong + "\\p.exe", "load \"" + out + "\""), 0u);
  EXPECT_EQ(ReadBytes(out), DefaultBytes());
  EXPECT_EQ(ReadBytes(out + ".dir"), tooLong);
  EXPECT_EQ(RunToExit(tooLong + "\\p.exe", "save \"" + in + "\""), 0u);
  EXPECT_EQ(FileNamesIn(tooLong), std::vector<std::string>{"p.exe"}) << "nothing cut short was written";
}

TEST_F(SaveSettings, TellsTheWindowOnlyAfterTheWholeFileIsInPlace) {
  ReloadReceiver receiver(home.SettingsFile());
  ASSERT_NE(receiver.Window(), nullptr);
  const std::string record = DistinctRecordBytes(31);
  EXPECT_EQ(Save(home, record, receiver.Window()), 1u);
  EXPECT_EQ(receiver.Requests(), 1);
  EXPECT_EQ(receiver.BytesSeen(), record);

  EXPECT_EQ(Save(home, DistinctRecordBytes(37)), 1u);
  EXPECT_EQ(receiver.Requests(), 1) << "no window given, nobody is told";
}

TEST_F(SaveSettings, AHungReceiverDoesNotFreezeTheSaver) {
  ReloadReceiver receiver(home.SettingsFile());
  receiver.Hang();
  const std::string record = DistinctRecordBytes(47);
  // The save gives up on the receiver after a bounded wait and still reports
  // the stored file as a success.
  EXPECT_EQ(Save(home, record, receiver.Window()), 1u);
  EXPECT_EQ(ReadBytes(home.SettingsFile()), record);
}

// The store in this program's own process, its calls to MoveFileExA seen
// through this program's import slot: the new file replaces the old in one
// step written through to the disk, and a replace that another program's
// hold refuses is tried 25 times in all before the save fails.
std::vector<DWORD> moveFlags;
DWORD refusal = 0;  // when set, every replace fails with it
BOOL WINAPI RecordMoveFileEx(LPCSTR from, LPCSTR to, DWORD flags) {
  moveFlags.push_back(flags);
  if (refusal == 0) return PlatformFunction<decltype(&MoveFileExA)>("kernel32.dll", "MoveFileExA")(from, to, flags);
  SetLastError(refusal);
  return FALSE;
}

}  // namespace

CURLIN_IMPORT_SLOT(MoveFileExA, 12) = &RecordMoveFileEx;

namespace {

TEST(SaveSettingsInProcess, ReplacesInOneWrittenThroughStepAndTriesAHeldFile25Times) {
  const ClockSettings record = DefaultRecord();
  const std::string path = BesideThisProgram(kSettingsFileName);
  EXPECT_EQ(::SaveSettings(nullptr, record), 1);
  EXPECT_EQ(moveFlags, std::vector<DWORD>{MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH});
  refusal = ERROR_SHARING_VIOLATION;
  EXPECT_EQ(::SaveSettings(nullptr, record), 0);
  refusal = 0;
  EXPECT_EQ(moveFlags.size(), 26u) << "one replace, then 25 tries of a held file";
  EXPECT_TRUE(DeleteFileA(path.c_str()));
}

}  // namespace
