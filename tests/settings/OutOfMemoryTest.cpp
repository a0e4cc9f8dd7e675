#include "settings/CRegistryKey.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {

// When set, the next allocation fails.
bool failNextAllocation = false;

// Serves every key as open and notes the handles closed.
class CClosingStore final : public IRegistryStore {
public:
    using Handle = ERegKeyHandle;
    std::uint32_t connect(std::string_view, Handle r, Handle& out) override { out = r; return 0; }
    std::uint32_t openKey(Handle, std::string_view, std::uint32_t, Handle& out) override { out = Handle{0x1234}; return 0; }
    std::uint32_t createKey(Handle, std::string_view, std::string_view, std::uint32_t, std::uint32_t, Handle& out,
                            std::uint32_t&) override { out = Handle{0x5678}; return 0; }
    std::uint32_t queryValue(Handle, std::string_view, std::uint32_t&, std::vector<std::uint8_t>&) override { return 2; }
    std::uint32_t setValue(Handle, std::string_view, std::uint32_t, std::span<const std::uint8_t>) override { return 0; }
    std::uint32_t closeKey(Handle key) override { closed.push_back(key); return 0; }
    std::vector<Handle> closed;
};

TEST(RegistryKeyOutOfMemory, ThrowsWithCode8AndClosesTheNewHandle)
{
    CClosingStore store;
    failNextAllocation = true;
    try {
        CRegistryKey key(store, kHKeyCurrentUser, "Software", RegAccess::Read);
        FAIL() << "no exception";
    } catch (const CRegistryKey::Exception& e) {
        EXPECT_STREQ(e.where, "CRegistryKey::NewCCountedRegKey()");
        EXPECT_EQ(e.error, RegError::NotEnoughMemory);
    }
    EXPECT_EQ(store.closed, (std::vector<ERegKeyHandle>{ERegKeyHandle{0x1234}}));
}

} // namespace

// Replaced as a pair, so what one allocates the other frees.
void* operator new(std::size_t size)
{
    if (failNextAllocation) {
        failNextAllocation = false;
        throw std::bad_alloc();
    }
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
    }
    throw std::bad_alloc();
}

// gcc takes the replacement's own free for a mismatch with the new it inlined.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}
#pragma GCC diagnostic pop
