// The settings file as the programs see it: a probe program built on the
// settings store is copied into private directories and run there, so
// "beside the executable" is a real, isolated place.
#include "ProgramHome.h"
#include "ReloadReceiver.h"
#include "SettingsRecords.h"
#include "ShiftJis.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const std::string kProbe = WindowsPathOf(SETTINGS_PROBE_EXE);

std::string DefaultBytes() { return BytesOf(DefaultRecord()); }

// A private folder holding nothing but a copy of the probe (and what the
// probe writes beside itself); the test's own files stay one level up.
class ProbeHome : public ProgramHome {
 public:
  explicit ProbeHome(const std::string& subdirectory = "home")
      : ProgramHome("settings", subdirectory), m_ready(Add(kProbe, "probe.exe")) {}

  bool Ready() const { return m_ready; }

  // Runs "load" and returns the record's bytes (a failed run fails the test);
  // ExeDirectory into *directory.
  std::string Load(std::string* directory = nullptr) const {
    const std::string out = Root() + "\\loaded.bin";
    EXPECT_EQ(RunToExit(File("probe.exe"), "load \"" + out + "\""), 0u);
    if (directory != nullptr) *directory = ReadBytes(out + ".dir");
    return ReadBytes(out);
  }

  // Runs "save" for the given bytes; returns the probe's exit code.
  DWORD Save(const std::string& recordBytes, HWND window = nullptr) const {
    const std::string in = Root() + "\\to-save.bin";
    WriteBytes(in, recordBytes);
    std::string args = "save \"" + in + "\"";
    if (window != nullptr) args += " " + std::to_string(reinterpret_cast<UINT_PTR>(window));
    return RunToExit(File("probe.exe"), args);
  }

 private:
  bool m_ready;
};

TEST(LoadSettings, MissingOrShortFileGivesTheDefaultsAndFindsTheDirectory) {
  ProbeHome home;
  ASSERT_TRUE(home.Ready());
  std::string directory;
  EXPECT_EQ(home.Load(&directory), DefaultBytes());
  EXPECT_EQ(directory, home.Directory());

  WriteBytes(home.SettingsFile(), DistinctRecordBytes(1).substr(0, 155));
  EXPECT_EQ(home.Load(), DefaultBytes()) << "155 bytes are not a record";

  WriteBytes(home.SettingsFile(), "");
  EXPECT_EQ(home.Load(), DefaultBytes());
}

TEST(LoadSettings, TakesTheFirst156BytesUnchanged) {
  ProbeHome home;
  ASSERT_TRUE(home.Ready());
  const std::string record = DistinctRecordBytes(3);
  WriteBytes(home.SettingsFile(), record + std::string(44, '\x55'));
  EXPECT_EQ(home.Load(), record);
  // Nonsense is not validated: unterminated texts and odd values come back as stored.
  const std::string nonsense(156, '\xFF');
  WriteBytes(home.SettingsFile(), nonsense);
  EXPECT_EQ(home.Load(), nonsense);
}

TEST(SaveSettings, StoresExactlyTheRecordAndLeavesNoOtherFile) {
  ProbeHome home;
  ASSERT_TRUE(home.Ready());
  const std::string record = DistinctRecordBytes(5);
  EXPECT_EQ(home.Save(record), 1u);
  EXPECT_EQ(ReadBytes(home.SettingsFile()), record);
  EXPECT_EQ(home.Load(), record) << "what is saved loads back byte for byte";

  const std::string second = DistinctRecordBytes(9);
  EXPECT_EQ(home.Save(second), 1u);
  EXPECT_EQ(ReadBytes(home.SettingsFile()), second) << "a longer old file is replaced whole";
  const std::vector<std::string> names = FileNamesIn(home.Directory());
  EXPECT_EQ(names.size(), 2u) << "only the probe and curlin.dat";
}

TEST(SaveSettings, WorksInDirectoriesWithSpacesAndDoubleByteNames) {
  ASSERT_TRUE(JapaneseLocaleActive());
  // 表 and ソ carry the byte 0x5C as their second byte.
  ProbeHome home("with space\\" + ToShiftJis(L"表ソ設定"));
  ASSERT_TRUE(home.Ready());
  std::string directory;
  home.Load(&directory);
  EXPECT_EQ(directory, home.Directory());
  const std::string record = DistinctRecordBytes(11);
  EXPECT_EQ(home.Save(record), 1u);
  EXPECT_EQ(ReadBytes(home.SettingsFile()), record);
}

TEST(SaveSettings, AReadOnlyFileFailsStaysByteForByteAndNobodyIsTold) {
  ProbeHome home;
  ASSERT_TRUE(home.Ready());
  ReloadReceiver receiver(home.SettingsFile());
  ASSERT_NE(receiver.Window(), nullptr);
  const std::string old = DistinctRecordBytes(13);
  WriteBytes(home.SettingsFile(), old);
  ASSERT_TRUE(SetFileAttributesA(home.SettingsFile().c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(home.Save(DistinctRecordBytes(17), receiver.Window()), 0u);
  EXPECT_EQ(ReadBytes(home.SettingsFile()), old);
  EXPECT_EQ(FileNamesIn(home.Directory()).size(), 2u) << "no temporary file is left";
  PumpMessages();
  EXPECT_EQ(receiver.Requests(), 0) << "a failed save sends no reload request";
}

TEST(SaveSettings, AFileHeldOpenByAnotherProgramFailsAndStays) {
  ProbeHome home;
  ASSERT_TRUE(home.Ready());
  const std::string old = DistinctRecordBytes(19);
  WriteBytes(home.SettingsFile(), old);
  HANDLE held = CreateFileA(home.SettingsFile().c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(home.Save(DistinctRecordBytes(23)), 0u);
  CloseHandle(held);
  EXPECT_EQ(ReadBytes(home.SettingsFile()), old);
  EXPECT_EQ(FileNamesIn(home.Directory()).size(), 2u) << "no temporary file is left";
}

TEST(SaveSettings, APathThatWouldBeCutIsNeverUsed) {
  // The probe's own path fits 259 bytes, its settings file's path does not.
  ScratchDirectory base("deep");
  const std::string directory = DirectoryOfLength(base.Path(), 252);
  ASSERT_EQ(directory.size(), 252u);
  ASSERT_TRUE(CreateDirectoryTree(directory));
  const std::string probe = directory + "\\p.exe";
  ASSERT_TRUE(CopyFileA(kProbe.c_str(), probe.c_str(), FALSE));

  const std::string out = base.Path() + "\\loaded.bin";
  ASSERT_EQ(RunToExit(probe, "load \"" + out + "\""), 0u);
  EXPECT_EQ(ReadBytes(out), DefaultBytes());
  EXPECT_EQ(ReadBytes(out + ".dir"), directory);

  const std::string in = base.Path() + "\\to-save.bin";
  WriteBytes(in, DistinctRecordBytes(29));
  EXPECT_EQ(RunToExit(probe, "save \"" + in + "\""), 0u);
  EXPECT_EQ(FileNamesIn(directory), std::vector<std::string>{"p.exe"}) << "nothing cut short was written";
}

TEST(SaveSettings, TellsTheWindowOnlyAfterTheWholeFileIsInPlace) {
  ProbeHome home;
  ASSERT_TRUE(home.Ready());
  ReloadReceiver receiver(home.SettingsFile());
  ASSERT_NE(receiver.Window(), nullptr);
  const std::string record = DistinctRecordBytes(31);
  EXPECT_EQ(home.Save(record, receiver.Window()), 1u);
  EXPECT_EQ(receiver.Requests(), 1);
  EXPECT_EQ(receiver.BytesSeen(), record);

  EXPECT_EQ(home.Save(DistinctRecordBytes(37)), 1u);
  EXPECT_EQ(receiver.Requests(), 1) << "no window given, nobody is told";
}

TEST(SaveSettings, AHungReceiverDoesNotFreezeTheSaver) {
  ProbeHome home;
  ASSERT_TRUE(home.Ready());
  ReloadReceiver receiver(home.SettingsFile());
  receiver.Hang();
  const std::string record = DistinctRecordBytes(47);
  // The save gives up on the receiver after a bounded wait and still reports
  // the stored file as a success.
  EXPECT_EQ(home.Save(record, receiver.Window()), 1u);
  EXPECT_EQ(ReadBytes(home.SettingsFile()), record);
}

}  // namespace
