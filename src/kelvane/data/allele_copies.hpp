// The allele copies of a marker data set, held compactly: a byte per copy while every allele code
// fits one (SNP and presence/absence data, most microsatellite panels recoded by a converter), 32
// bits per copy as soon as one code does not. Wide data sets (thousands of individuals, tens of
// thousands of loci) then take a quarter of the memory, and every reader and model sees the same
// int32 values either way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <vector>

namespace kelvane {

class AlleleCopies {
  public:
    // The values of copies [from, from + count) in order; a random-access iterator whose items
    // are int32 values (read, never written through).
    class Iterator {
      public:
        using iterator_category = std::random_access_iterator_tag;
        using iterator_concept = std::random_access_iterator_tag;
        using value_type = int32_t;
        using difference_type = std::ptrdiff_t;
        using reference = int32_t;
        using pointer = void;

        Iterator() = default;
        Iterator(const AlleleCopies* copies, std::size_t index) : copies_(copies), index_(index) {}

        int32_t operator*() const { return (*copies_)[index_]; }
        int32_t operator[](difference_type n) const { return *(*this + n); }
        Iterator& operator++() {
            ++index_;
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++index_;
            return before;
        }
        Iterator& operator--() {
            --index_;
            return *this;
        }
        Iterator operator--(int) {
            Iterator before = *this;
            --index_;
            return before;
        }
        Iterator& operator+=(difference_type n) {
            index_ = static_cast<std::size_t>(static_cast<difference_type>(index_) + n);
            return *this;
        }
        Iterator& operator-=(difference_type n) { return *this += -n; }
        friend Iterator operator+(Iterator it, difference_type n) { return it += n; }
        friend Iterator operator+(difference_type n, Iterator it) { return it += n; }
        friend Iterator operator-(Iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const Iterator& a, const Iterator& b) {
            return static_cast<difference_type>(a.index_) - static_cast<difference_type>(b.index_);
        }
        friend bool operator==(const Iterator& a, const Iterator& b) {
            return a.index_ == b.index_;
        }
        friend auto operator<=>(const Iterator& a, const Iterator& b) {
            return a.index_ <=> b.index_;
        }

      private:
        const AlleleCopies* copies_ = nullptr;
        std::size_t index_ = 0;
    };

    // A window of consecutive copies (one locus genotype), read only.
    class View {
      public:
        View(const AlleleCopies& copies, std::size_t from, std::size_t count)
            : copies_(&copies), from_(from), count_(count) {}

        std::size_t size() const { return count_; }
        bool empty() const { return count_ == 0; }
        int32_t operator[](std::size_t slot) const { return (*copies_)[from_ + slot]; }
        Iterator begin() const { return {copies_, from_}; }
        Iterator end() const { return {copies_, from_ + count_}; }

      private:
        const AlleleCopies* copies_;
        std::size_t from_;
        std::size_t count_;
    };

    // One copy to write: `slots[k] = value` stores value, widening the store when it must.
    class Reference {
      public:
        Reference(AlleleCopies& copies, std::size_t index) : copies_(&copies), index_(index) {}
        Reference& operator=(int32_t value) {
            copies_->set(index_, value);
            return *this;
        }
        operator int32_t() const { return (*copies_)[index_]; }

      private:
        AlleleCopies* copies_;
        std::size_t index_;
    };

    // A window of consecutive copies to write.
    class Slots {
      public:
        Slots(AlleleCopies& copies, std::size_t from, std::size_t count)
            : copies_(&copies), from_(from), count_(count) {}

        std::size_t size() const { return count_; }
        bool empty() const { return count_ == 0; }
        Reference operator[](std::size_t slot) const { return {*copies_, from_ + slot}; }
        Iterator begin() const { return {copies_, from_}; }
        Iterator end() const { return {copies_, from_ + count_}; }

      private:
        AlleleCopies* copies_;
        std::size_t from_;
        std::size_t count_;
    };

    // Whether a code is kept in a byte.
    static constexpr bool fits_byte(int32_t value) { return value >= 0 && value <= UINT8_MAX; }

    std::size_t size() const { return wide_ ? ints_.size() : bytes_.size(); }
    bool empty() const { return size() == 0; }
    // Whether every copy is held in a byte.
    bool in_bytes() const { return !wide_; }

    int32_t operator[](std::size_t index) const { return wide_ ? ints_[index] : bytes_[index]; }
    void set(std::size_t index, int32_t value) {
        if (!wide_ && !fits_byte(value)) {
            widen();
        }
        if (wide_) {
            ints_[index] = value;
        } else {
            bytes_[index] = static_cast<uint8_t>(value);
        }
    }

    // count copies of value (a byte each when it fits), replacing every copy held.
    void assign(std::size_t count, int32_t value);
    // Takes the copies of a byte vector as they are.
    void assign_bytes(std::vector<uint8_t> bytes);
    // Copies values, in bytes when every one fits.
    void assign_values(std::span<const int32_t> values);

    // The copies themselves: bytes() while in_bytes(), ints() otherwise.
    std::span<const uint8_t> bytes() const { return bytes_; }
    std::span<const int32_t> ints() const { return ints_; }

    Iterator begin() const { return {this, 0}; }
    Iterator end() const { return {this, size()}; }

    // Runs work(copy_at) with copy_at(index) giving the copy at index, made for the width the
    // copies are held in, so that a loop over many copies does not ask for the width each time.
    template <class Work>
    decltype(auto) with_reader(Work&& work) const {
        if (wide_) {
            return work([copies = ints_.data()](std::size_t index) { return copies[index]; });
        }
        return work([copies = bytes_.data()](std::size_t index) {
            return static_cast<int32_t>(copies[index]);
        });
    }

  private:
    // Moves every copy to 32 bits.
    void widen();

    bool wide_ = false;
    std::vector<uint8_t> bytes_;
    std::vector<int32_t> ints_;
};

}  // namespace kelvane
