#pragma once
// Memory for big texts. On first touch every fresh 4 KB page costs a fault, which makes
// reading a 100 MB log into new memory several times slower than the read itself; a
// large block is therefore 2 MB aligned and asks for transparent huge pages, which cut
// those faults by a factor of 512 where the system allows them (and cost nothing where
// it does not). Small blocks come from malloc as usual; all are released with free().
#include <cstddef>
#include <cstdlib>
#include <memory>

namespace gravmark {

void* allocateLarge(size_t size);  // throws std::bad_alloc

struct FreeLarge {
    void operator()(void* block) const { std::free(block); }
};
using LargeBytes = std::unique_ptr<char[], FreeLarge>;

inline LargeBytes allocateBytes(size_t size) { return LargeBytes(static_cast<char*>(allocateLarge(size))); }

template <typename T>
struct LargeAllocator {
    using value_type = T;
    LargeAllocator() = default;
    template <typename U>
    LargeAllocator(const LargeAllocator<U>&) {}
    T* allocate(size_t count) { return static_cast<T*>(allocateLarge(count * sizeof(T))); }
    void deallocate(T* block, size_t) { std::free(block); }
    bool operator==(const LargeAllocator&) const = default;
};

}  // namespace gravmark
