// A binary heap of group labels ordered by a height, then by label, whose keys can change: the
// queue of nearest neighbours of complete and average linkage.
#pragma once

#include <cstddef>
#include <vector>

#include "kelvane/grouping/group_distances.hpp"

namespace kelvane::linkage_detail {

// A binary heap of group labels ordered by (height, label), whose keys can change.
template <class Height>
class LabelQueue {
  public:
    explicit LabelQueue(int n)
        : keys_(static_cast<std::size_t>(n)), position_(static_cast<std::size_t>(n), -1) {}

    bool empty() const { return heap_.empty(); }
    bool holds(int label) const { return position_[static_cast<std::size_t>(label)] >= 0; }
    int top() const { return heap_.front(); }
    const Height& key(int label) const { return keys_[static_cast<std::size_t>(label)]; }

    void set(int label, Height key) {
        keys_[static_cast<std::size_t>(label)] = key;
        int& at = position_[static_cast<std::size_t>(label)];
        if (at < 0) {
            at = static_cast<int>(heap_.size());
            heap_.push_back(label);
        }
        sift_up(at);
        sift_down(position_[static_cast<std::size_t>(label)]);
    }

    void remove(int label) {
        const int at = position_[static_cast<std::size_t>(label)];
        if (at < 0) {
            return;
        }
        const int last = heap_.back();
        heap_.pop_back();
        position_[static_cast<std::size_t>(label)] = -1;
        if (last != label) {
            heap_[static_cast<std::size_t>(at)] = last;
            position_[static_cast<std::size_t>(last)] = at;
            sift_up(at);
            sift_down(position_[static_cast<std::size_t>(last)]);
        }
    }

  private:
    bool before(int a, int b) const {
        const Height& ka = key(a);
        const Height& kb = key(b);
        return ka < kb || (ka == kb && a < b);
    }
    void place(int at, int label) {
        heap_[static_cast<std::size_t>(at)] = label;
        position_[static_cast<std::size_t>(label)] = at;
    }
    void sift_up(int at) {
        const int label = heap_[static_cast<std::size_t>(at)];
        while (at > 0) {
            const int parent = (at - 1) / 2;
            if (!before(label, heap_[static_cast<std::size_t>(parent)])) {
                break;
            }
            place(at, heap_[static_cast<std::size_t>(parent)]);
            at = parent;
        }
        place(at, label);
    }
    void sift_down(int at) {
        const int label = heap_[static_cast<std::size_t>(at)];
        const int size = static_cast<int>(heap_.size());
        while (true) {
            int child = 2 * at + 1;
            if (child >= size) {
                break;
            }
            if (child + 1 < size && before(heap_[static_cast<std::size_t>(child) + 1],
                                           heap_[static_cast<std::size_t>(child)])) {
                ++child;
            }
            if (!before(heap_[static_cast<std::size_t>(child)], label)) {
                break;
            }
            place(at, heap_[static_cast<std::size_t>(child)]);
            at = child;
        }
        place(at, label);
    }

    std::vector<Height> keys_;
    std::vector<int> position_;
    std::vector<int> heap_;
};

}  // namespace kelvane::linkage_detail
