#include "app/uCommandLine.h"
#include "app/ui/uApplication.h"
#include "app/ui/uWindowSet.h"
#include "can/PCANBasic.h"
#include "can/uCanBackend.h"

#include <QTextStream>

int main(int argc, char *argv[])
{
    TApplication application(argc, argv);
    const TCommandLine commandLine = ParseCommandLine(application.arguments().mid(1));
    for (const QString &problem : commandLine.Problems)
        QTextStream(stderr) << "ignored option: " << problem << '\n';

    TCanBackend backend;
    TCanBackend::Parse(commandLine.CanBackend, backend);
    TPCANBasic::SetDeviceFactory(backend.Factory(), backend.Plugin);

    TWindowSet windows = TWindowSet::Create(commandLine);
    windows.frmMain->show();
    const int result = application.exec();
    // Hand the adapter back before the toolkit goes away.
    if (TPCANBasic::Device())
        TPCANBasic::Uninitialize(PCAN_USBBUS1);
    return result;
}
