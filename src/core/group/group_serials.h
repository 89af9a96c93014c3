#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "file_system.h"

namespace mirva {

/// The file in the working directory that holds the station's serial numbers taken from the
/// group.
inline constexpr char kGroupSerialsFileName[] = "group.serials";
/// How many numbers a deck holds while the station is connected: the proposal after a save
/// never waits for the broker.
inline constexpr std::size_t kSerialDeckSize = 2;
/// How many numbers the reserve holds for the time the station is apart from the broker.
inline constexpr std::size_t kSerialReserveSize = 20;

/// The numbers a station holds under one numbering key.
struct SerialPool {
  /// The highest number the station sent under the key; 0 for none.
  uint64_t last_sent = 0;
  /// Numbers handed out first, in order.
  std::vector<uint64_t> deck;
  /// Numbers handed out once the deck is empty, in order.
  std::vector<uint64_t> reserve;

  bool operator==(const SerialPool&) const = default;
};

/// The numbering key of a band: "next" for the whole group, "next.<band>" when the group
/// numbers each band on its own.
std::string SerialKey(bool per_band, std::string_view band);

/// The station's serial numbers taken from the group, per numbering key. Not thread-safe:
/// its owner keeps it to one thread at a time.
class GroupSerials {
 public:
  /// The number to hand out next under the key: the deck's first, else the reserve's first.
  std::optional<uint64_t> Next(const std::string& key) const;
  uint64_t LastSent(const std::string& key) const;
  /// A QSO was saved with `number`: it leaves the deck or reserve and counts as sent.
  void Spent(const std::string& key, uint64_t number);
  /// How many numbers the key's deck and reserve lack.
  std::size_t DeckNeed(const std::string& key) const;
  std::size_t ReserveNeed(const std::string& key) const;
  /// Adds `count` numbers from `first` on to the end of the key's deck or reserve.
  void AddToDeck(const std::string& key, uint64_t first, uint64_t count);
  void AddToReserve(const std::string& key, uint64_t first, uint64_t count);
  /// The highest number the key's pool sent or holds; 0 for none.
  uint64_t Highest(const std::string& key) const;

  const std::map<std::string, SerialPool>& pools() const { return pools_; }
  bool operator==(const GroupSerials&) const = default;

 private:
  std::map<std::string, SerialPool> pools_;
};

std::string FormatGroupSerials(const GroupSerials& serials);
/// The file's pools; a damaged or foreign text reads as no pools at all.
GroupSerials ParseGroupSerials(std::string_view text);
/// The pools of the file at `path`; none when it is missing or damaged.
GroupSerials LoadGroupSerials(FileSystem& fs, const std::string& path);
/// Replaces the file at `path` in one step; throws IoError when it cannot.
void SaveGroupSerials(FileSystem& fs, const std::string& path, const GroupSerials& serials);

}  // namespace mirva
