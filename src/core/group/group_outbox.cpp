#include "group/group_outbox.h"

#include <charconv>
#include <string_view>

#include "error.h"
#include "replace_file.h"

namespace mirva {

namespace {

/// A change as the outbox file holds it: its length on a line of its own, then its bytes.
std::string Frame(const GroupChange& change) {
  std::string bytes = EncodeChange(change);
  return std::to_string(bytes.size()) + "\n" + bytes;
}

}  // namespace

void GroupOutbox::Load() {
  changes_.clear();
  std::string text = fs_.ReadFile(path_).value_or("");
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    std::size_t length = 0;
    if (end == std::string::npos ||
        std::from_chars(text.data() + at, text.data() + end, length).ptr != text.data() + end ||
        length > text.size() - end - 1)
      break;
    DecodedChange decoded = DecodeChange(std::string_view(text).substr(end + 1, length));
    if (!decoded.change)
      break;
    changes_.push_back(std::move(*decoded.change));
    at = end + 1 + length;
  }
  size_ = at;
  if (at < text.size())
    ReplaceFile(fs_, path_, std::string_view(text).substr(0, at), "Cannot mend the outbox");
}

void GroupOutbox::Append(const std::vector<GroupChange>& changes) {
  if (changes.empty())
    return;
  if (deferred_) {
    changes_.insert(changes_.end(), changes.begin(), changes.end());
    dirty_ = true;
    return;
  }
  std::string frames;
  for (const GroupChange& change : changes)
    frames += Frame(change);
  if (size_ == 0)
    fs_.WriteFile(path_, frames);
  else
    fs_.WriteAt(path_, size_, frames);
  size_ += frames.size();
  changes_.insert(changes_.end(), changes.begin(), changes.end());
}

void GroupOutbox::DropFirst(std::size_t count) {
  changes_.erase(changes_.begin(), changes_.begin() + static_cast<std::ptrdiff_t>(count));
  if (deferred_) {
    dirty_ = true;
    return;
  }
  std::string text;
  for (const GroupChange& change : changes_)
    text += Frame(change);
  ReplaceFile(fs_, path_, text, "Cannot write the outbox");
  size_ = text.size();
}

std::optional<std::string> GroupOutbox::TakeText() {
  if (!dirty_)
    return std::nullopt;
  dirty_ = false;
  std::string text;
  for (const GroupChange& change : changes_)
    text += Frame(change);
  return text;
}

}  // namespace mirva
