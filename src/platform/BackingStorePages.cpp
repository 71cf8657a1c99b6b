#include "platform/BackingStorePages.h"

#include <QBackingStore>
#include <QImage>
#include <QWidget>

namespace menugeral {

void prepareBackingStore(QWidget &window)
{
    window.winId();
    QBackingStore *store = window.backingStore();
    if (store == nullptr)
        return;
    // The size the first paint asks for, so that it keeps this store.
    store->resize(window.size());
    QPaintDevice *device = store->paintDevice();
    if (device == nullptr || device->devType() != QInternal::Image)
        return;
    const auto *image = static_cast<const QImage *>(device);
    populatePages(const_cast<uchar *>(image->constBits()), std::size_t(image->sizeInBytes()));
}

} // namespace menugeral
