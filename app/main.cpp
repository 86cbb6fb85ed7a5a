// telqar-logger, the program users start. It links no GUI library, so that the commands that
// run without a display never load one; the window is another program, started in this one's
// place.

#include "app/uCommandApplication.h"
#include "app/uCommands.h"
#include "app/uVersionText.h"
#include "app/uWindowProgram.h"
#include "log/uFileOnDisk.h"

#include <QTextStream>

#include <vector>

int main(int argc, char *argv[])
{
    // The toolkit may take its own options out of argv; the window gets them all.
    const std::vector<char *> originalArgv(argv, argv + argc + 1);
    LetFileSizeLimitsFailWrites();  // the window program inherits it
    TCommandApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("telqar-logger"));
    QCoreApplication::setApplicationVersion(FullVersionText(ProgramVersion()));

    const TLaunch launch = ChooseLaunch(QCoreApplication::arguments().mid(1));
    if (!RunsInWindowProgram(launch))
        return RunLaunch(launch);

    const QString program = WindowProgramPath(QCoreApplication::applicationDirPath());
    const QString reason = ReplaceWithWindowProgram(program, originalArgv.data(),
                                                    QCoreApplication::arguments().mid(1));
    QTextStream(stderr) << "telqar-logger: cannot start the window program " << program << ": "
                        << reason << '\n';
    return ExitCode::Failed;
}
