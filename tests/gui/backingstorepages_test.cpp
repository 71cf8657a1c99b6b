#include "platform/BackingStorePages.h"

#include <QBackingStore>
#include <QImage>
#include <QPaintEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace menugeral {
namespace {

class CountingWindow : public QWidget
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++paints; }
};

const uchar *backingStoreBits(QWidget &window)
{
    QPaintDevice *device = window.backingStore()->paintDevice();
    return device->devType() == QInternal::Image ? static_cast<QImage *>(device)->constBits() : nullptr;
}

// The memory mapped ahead only helps if the first paint draws into it: a
// store of another size would be thrown away and made anew by that paint.
TEST(BackingStorePages, FirstPaintDrawsIntoThePreparedStore)
{
    CountingWindow window;
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(300, 200);

    prepareBackingStore(window);
    EXPECT_TRUE(window.testAttribute(Qt::WA_WState_Created));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.paints, 0);
    ASSERT_NE(window.backingStore(), nullptr);
    EXPECT_EQ(window.backingStore()->size(), window.size());
    const uchar *prepared = backingStoreBits(window);
    ASSERT_NE(prepared, nullptr);

    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(QTest::qWaitFor([&window] { return window.paints > 0; }));
    EXPECT_EQ(backingStoreBits(window), prepared);
}

std::vector<bool> residentPages(void *base, std::size_t pages)
{
    std::vector<unsigned char> flags(pages);
    if (mincore(base, pages * std::size_t(sysconf(_SC_PAGESIZE)), flags.data()) != 0)
        return {};
    std::vector<bool> resident;
    for (unsigned char flag : flags)
        resident.push_back((flag & 1) != 0);
    return resident;
}

// Every page the range touches is mapped, from the one its unaligned start
// lies in to the one its end lies in, and none beyond; what was written stays.
TEST(PagePopulation, MapsEveryPageTheRangeTouchesAndKeepsTheContents)
{
    const auto page = std::size_t(sysconf(_SC_PAGESIZE));
    constexpr std::size_t kPages = 16;
    void *mapping = mmap(nullptr, kPages * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(mapping, MAP_FAILED);
    auto *base = static_cast<unsigned char *>(mapping);
    base[3 * page + 200] = 0x5A;

    // Starts 100 bytes into page 2, ends 10 bytes into page 9.
    const bool populated = populatePages(base + 2 * page + 100, 7 * page - 90);
    const std::vector<bool> resident = residentPages(mapping, kPages);
    const unsigned char kept = base[3 * page + 200];
    munmap(mapping, kPages * page);
    if (!populated)
        GTEST_SKIP() << "this system maps pages only as they are written";

    ASSERT_EQ(resident.size(), kPages);
    for (std::size_t i = 0; i < kPages; ++i)
        EXPECT_EQ(resident[i], i >= 2 && i <= 9) << "page " << i;
    EXPECT_EQ(kept, 0x5A);
}

} // namespace
} // namespace menugeral
