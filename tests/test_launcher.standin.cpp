// Stands in for the game when the launcher is tested: prints the folder it was started in,
// one argument a line after it, and exits with the status the test asks for.
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    out << QDir::currentPath() << '\n';
    for (const QString &arg : QCoreApplication::arguments().mid(1))
        out << arg << '\n';
    return qEnvironmentVariableIntValue("KANARINKA_STANDIN_EXIT");
}
