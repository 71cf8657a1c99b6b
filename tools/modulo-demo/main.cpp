// modulo-demo: a stand-in for a module program. Its window shows how it was
// started: its own executable, its arguments and its working directory.
#include <QApplication>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

QLabel *selectableLabel(const QString &text)
{
    auto *label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString quotedArguments(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return u"(nenhum)"_s;
    QStringList quoted;
    for (const QString &argument : arguments)
        quoted << u'\u00ab' + argument + u'\u00bb';
    return quoted.join(u' ');
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();

    QWidget window;
    window.setWindowTitle(u"M\u00f3dulo de demonstra\u00e7\u00e3o"_s);
    auto *form = new QFormLayout(&window);
    form->addRow(u"Programa:"_s, selectableLabel(QCoreApplication::applicationFilePath()));
    form->addRow(u"Argumentos:"_s, selectableLabel(quotedArguments(arguments)));
    form->addRow(u"Pasta de trabalho:"_s, selectableLabel(QDir::toNativeSeparators(QDir::currentPath())));
    window.show();
    return app.exec();
}
