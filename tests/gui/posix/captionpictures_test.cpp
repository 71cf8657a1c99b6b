#include "Fakes.h"
#include "TempDir.h"
#include "menu/UnitMenuGeralNovoFrm.h"
#include "widgets/CaptionLabel.h"
#include "widgets/Fonts.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace menugeral;
using namespace menugeral::test;

namespace {

// The captions come ready drawn so that the first paint needs no font. They
// were drawn on this desktop, in the faces Fonts.cpp chooses and by its
// rasteriser (tools/artwork): a picture that no longer matches its label's
// text, face or size would show. Elsewhere the same face may rasterise a
// little otherwise, and the pictures are shown there all the same.
TEST(CaptionPictures, LookExactlyLikeTheirLabelsText)
{
    installFontSubstitutions();
    TempDir dir;
    FakeServices fakes{dir.path()};
    TFrmMenuGeralNovo window{fakes.services};
    window.show();

    const QList<CaptionLabel *> labels = window.findChildren<CaptionLabel *>();
    ASSERT_EQ(labels.size(), 5);
    for (CaptionLabel *label : labels) {
        SCOPED_TRACE(label->objectName().toStdString());
        ASSERT_TRUE(label->showsCaptionPicture());
        QWidget *panel = label->parentWidget();
        const QImage fromPicture = panel->grab(label->geometry()).toImage();

        label->setCaptionPicture(QImage());
        ASSERT_FALSE(label->showsCaptionPicture());
        const QImage fromText = panel->grab(label->geometry()).toImage();
        EXPECT_EQ(fromPicture, fromText);
    }
}

} // namespace
