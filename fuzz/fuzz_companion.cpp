// Runs a companion's commands on an entry with arbitrary input and entry files shared with
// it: reads loginput.ini through the shared-directory file as the program does, loads and
// empties the masked fields, and writes the entry over an arbitrary mirva.INI. Checks the
// replies, that a loaded field holds only what the field can, that an unmasked field and a
// band the contest lacks stay as they were, and that the written entry reads back.
// Input: a first line of up to eight "CODE MASK" pairs of numbers, then the text that is both
// loginput.ini and the mirva.INI the entry is written over.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "link/companion_command.h"
#include "link/ini_entry_file.h"
#include "link/log_input.h"
#include "link/mirva_ini.h"
#include "log/input_rule.h"
#include "memory_file_system.h"
#include "text/strings.h"

namespace {

constexpr std::size_t kMaxCommands = 8;
constexpr std::array<std::string_view, 4> kBands = {"3.5", "7", "14", "28"};

/// The entry as plain texts, mirrored into the entry file on every change.
class Entry : public mirva::CommandTarget {
 public:
  explicit Entry(mirva::IniEntryFile& file) : file_(file) {
    fields_[Index(mirva::EntryField::kBand)] = "7";
    fields_[Index(mirva::EntryField::kMode)] = "CW";
  }

  std::string Field(mirva::EntryField field) const override { return fields_[Index(field)]; }
  void SetField(mirva::EntryField field, const std::string& value) override {
    fields_[Index(field)] = value;
    file_.Write(Texts(), mirva::kEntryAll);
  }
  bool IsContestBand(std::string_view band) const override {
    return std::find(kBands.begin(), kBands.end(), band) != kBands.end();
  }
  mirva::IniFile ReadInput() override { return file_.ReadInput(); }
  bool Save() override {
    ++saved;
    return true;
  }
  void Tell(const std::string&) override {}

  mirva::EntryTexts Texts() const {
    using mirva::EntryField;
    return {Field(EntryField::kCall), Field(EntryField::kRprtSent), Field(EntryField::kNumberSent),
            Field(EntryField::kRprtRcvd), Field(EntryField::kNumberRcvd)};
  }

  int saved = 0;

 private:
  static std::size_t Index(mirva::EntryField field) { return static_cast<std::size_t>(field); }

  mirva::IniEntryFile& file_;
  std::array<std::string, 8> fields_;
};

const mirva::InputField* InputFieldOf(mirva::EntryField field) {
  using mirva::EntryField;
  switch (field) {
    case EntryField::kCall:
      return &mirva::kCallInput;
    case EntryField::kRprtSent:
      return &mirva::kRprtSentInput;
    case EntryField::kNumberSent:
      return &mirva::kNumberSentInput;
    case EntryField::kRprtRcvd:
      return &mirva::kRprtRcvdInput;
    case EntryField::kNumberRcvd:
      return &mirva::kNumberRcvdInput;
    case EntryField::kNote:
      return &mirva::kNoteInput;
    default:
      return nullptr;
  }
}

long MaskOf(mirva::EntryField field) {
  long mask = 0;
  for (const mirva::LogInputBit& bit : mirva::kLogInputBits) {
    if (bit.field == field)
      mask |= bit.mask;
  }
  return mask;
}

void CheckCommand(Entry& entry, long code, long mask) {
  constexpr mirva::EntryField kFields[] = {
      mirva::EntryField::kCall,       mirva::EntryField::kBand,       mirva::EntryField::kMode,
      mirva::EntryField::kRprtSent,   mirva::EntryField::kNumberSent, mirva::EntryField::kRprtRcvd,
      mirva::EntryField::kNumberRcvd, mirva::EntryField::kNote};
  Entry before = entry;
  std::optional<mirva::CommandReply> reply = mirva::RunCompanionCommand(entry, code, mask);
  long command = code & 255;
  mirva_fuzz::Check(reply.has_value() == (command >= 128 && command <= 133));
  if (!reply)
    return;
  mirva_fuzz::Check(reply->wparam == code && (reply->lparam == 0 || reply->lparam == 1));
  bool loads = command != 128;
  for (mirva::EntryField field : kFields) {
    const std::string value = entry.Field(field);
    if (!loads || (mask & MaskOf(field)) == 0) {
      mirva_fuzz::Check(value == before.Field(field));
    } else if (command == 133) {
      mirva_fuzz::Check(value.empty());
    } else if (const mirva::InputField* input = InputFieldOf(field)) {
      mirva_fuzz::Check(mirva::CheckInputText(*input, value).fault == mirva::InputFault::kNone);
    } else if (field == mirva::EntryField::kBand) {
      mirva_fuzz::Check(value == before.Field(field) || entry.IsContestBand(value));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::size_t first_end = std::min(text.find('\n'), text.size());
  std::string first(text.substr(0, first_end));
  std::string_view files = text.substr(std::min(first_end + 1, text.size()));

  mirva::MemoryFileSystem fs;
  mirva::IniEntryFile file(fs, "shared");
  fs.files[file.InputPath()] = files;
  fs.files[file.EntryPath()] = files;
  Entry entry(file);

  const char* p = first.c_str();
  for (std::size_t i = 0; i < kMaxCommands; ++i) {
    char* end = nullptr;
    long code = std::strtol(p, &end, 10);
    if (end == p)
      break;
    p = end;
    long mask = std::strtol(p, &end, 10);
    p = end;
    CheckCommand(entry, code, mask);
  }

  file.Write(entry.Texts(), mirva::kEntryAll);
  const mirva::IniFile written = mirva::IniFile::Parse(fs.files.at(file.EntryPath()));
  const mirva::EntryTexts texts = entry.Texts();
  mirva_fuzz::Check(written.Read(mirva::kQsoSection, "Call", "\x01") == texts.Call);
  mirva_fuzz::Check(written.Read(mirva::kQsoSection, "NumberRcvd", "\x01") == texts.NumberRcvd);
  mirva_fuzz::Check(written.Read(mirva::kQsoSection, "sRprtSent", "\x01") ==
                    mirva::ReportShortForm(texts.RprtSent));
  return 0;
}
