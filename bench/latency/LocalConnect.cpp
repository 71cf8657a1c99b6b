// menugeral-bench-local-connect <name>: the floor of the second-start
// benchmark, a bare Qt program that only connects to a local socket and ends.
#include <QCoreApplication>
#include <QLocalSocket>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    QLocalSocket socket;
    socket.connectToServer(QString::fromLocal8Bit(argv[1]));
    return socket.waitForConnected(5000) ? 0 : 1;
}
