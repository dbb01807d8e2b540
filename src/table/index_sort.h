#pragma once
// The sort that builds an index. Records with equal keys end up in the order these
// exact steps leave them in (it decides tied medals), so it is not std::sort.
//
// indexSort(a, n, less) sorts a[0..n): when n > 10 a partition sort (median of three,
// the smaller part sorted first, the larger part continued in the loop, parts of ten
// or fewer left alone), then one insertion pass over the whole sequence.
#include <cstddef>
#include <utility>

namespace gravmark {

namespace detail {

// Sorts a[lo..hi] (inclusive, more than ten elements) into parts of at most ten.
template <class T, class Less>
void partitionSort(T* a, ptrdiff_t lo, ptrdiff_t hi, const Less& less) {
    for (;;) {
        ptrdiff_t mid = lo + (hi - lo) / 2;
        if (less(a[hi], a[lo])) std::swap(a[lo], a[hi]);
        if (less(a[lo], a[mid])) {
            std::swap(a[lo], a[mid]);
            if (less(a[hi], a[lo])) std::swap(a[lo], a[hi]);
        }
        const T pivot = a[lo];
        ptrdiff_t i = lo;
        ptrdiff_t j = hi + 1;
        for (;;) {
            do ++i;
            while (less(a[i], pivot));
            do --j;
            while (less(pivot, a[j]));
            if (i >= j) break;
            std::swap(a[i], a[j]);
        }
        std::swap(a[lo], a[j]);
        ptrdiff_t leftCount = j - lo;
        ptrdiff_t rightCount = hi - j;
        if (rightCount < leftCount) {
            if (rightCount > 10) partitionSort(a, j + 1, hi, less);
            if (leftCount <= 10) return;
            hi = j - 1;
        } else {
            if (leftCount > 10) partitionSort(a, lo, j - 1, less);
            if (rightCount <= 10) return;
            lo = j + 1;
        }
    }
}

}  // namespace detail

template <class T, class Less>
void indexSort(T* a, size_t n, const Less& less) {
    if (n > 10) detail::partitionSort(a, 0, ptrdiff_t(n) - 1, less);
    for (size_t i = 1; i < n; ++i) {
        if (!less(a[i], a[i - 1])) continue;
        T x = a[i];
        size_t k = i;
        while (k > 0 && less(x, a[k - 1])) {
            a[k] = a[k - 1];
            --k;
        }
        a[k] = x;
    }
}

}  // namespace gravmark
