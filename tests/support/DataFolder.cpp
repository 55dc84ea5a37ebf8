// Linked into every test: the process runs in a data folder of its own, filled from the sources'
// modules/, so tests run side by side and leave the build folder as it was.
#include "app/DataDir.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

struct DataFolder
{
    DataFolder()
    {
        const QString source = qEnvironmentVariable("V7_SOURCE_DIR");
        if (source.isEmpty() || !dir.isValid())
            return;
        DataDir::seed(source + QStringLiteral("/modules"), dir.path());
        QDir::setCurrent(dir.path());
    }
    QTemporaryDir dir;
};

const DataFolder g_folder;

} // namespace
