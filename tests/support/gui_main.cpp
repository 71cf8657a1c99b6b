#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // GUI tests run under the offscreen platform unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Where offscreen has no fonts of its own (Windows), the build lays the
    // fonts the tests are written against in fonts/ beside them.
    const QString fonts = QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath() + QStringLiteral("/fonts");
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR") && QFileInfo(fonts).isDir())
        qputenv("QT_QPA_FONTDIR", QFile::encodeName(fonts));
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
