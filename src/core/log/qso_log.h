#pragma once

#include <cstddef>
#include <iterator>
#include <string>

#include "log/qso_record.h"

namespace mirva {

/// The QSOs of a log held as the bytes of its file: QSO i is decoded when it is asked for,
/// and Record gives single fields without decoding the rest. A view of the bytes it was made
/// from: it sees their later changes, while its iterators and records are invalidated by them
/// as a vector's would be.
class QsoLog {
 public:
  /// Walks the QSOs in log order, giving each decoded.
  class Iterator {
   public:
    using iterator_concept = std::forward_iterator_tag;
    using iterator_category = std::input_iterator_tag;
    using value_type = TQSOData;
    using difference_type = std::ptrdiff_t;

    Iterator() = default;
    explicit Iterator(const char* at) : at_(at) {}
    TQSOData operator*() const { return DecodeQSO(at_); }
    Iterator& operator++() {
      at_ += kQsoRecordSize;
      return *this;
    }
    Iterator operator++(int) {
      Iterator before = *this;
      ++*this;
      return before;
    }
    bool operator==(const Iterator&) const = default;

   private:
    const char* at_ = nullptr;
  };

  /// `bytes` holds whole records.
  explicit QsoLog(const std::string& bytes) : bytes_(&bytes) {}

  std::size_t size() const { return bytes_->size() / kQsoRecordSize; }
  bool empty() const { return bytes_->empty(); }
  QsoRecordView Record(std::size_t i) const {
    return QsoRecordView(bytes_->data() + i * kQsoRecordSize);
  }
  TQSOData operator[](std::size_t i) const { return Record(i).Decode(); }
  TQSOData front() const { return (*this)[0]; }
  TQSOData back() const { return (*this)[size() - 1]; }
  Iterator begin() const { return Iterator(bytes_->data()); }
  Iterator end() const { return Iterator(bytes_->data() + size() * kQsoRecordSize); }

 private:
  const std::string* bytes_;
};

}  // namespace mirva
