// telqar-logger, the program users start. It links no GUI library, so that what runs without
// a display never loads one; the window is another program, started in this one's place.

#include "app/uWindowProgram.h"

#include <QCoreApplication>
#include <QTextStream>

#include <vector>

int main(int argc, char *argv[])
{
    // The toolkit may take its own options out of argv; the window gets them all.
    const std::vector<char *> originalArgv(argv, argv + argc + 1);
    const QCoreApplication application(argc, argv);

    const QString program = WindowProgramPath(QCoreApplication::applicationDirPath());
    const QString reason =
        ReplaceWithWindowProgram(program, originalArgv.data(), application.arguments().mid(1));
    QTextStream(stderr) << "telqar-logger: cannot start the window program " << program << ": "
                        << reason << '\n';
    return 1;
}
