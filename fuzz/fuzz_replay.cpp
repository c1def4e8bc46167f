// Runs the fuzz target's checks over kept inputs in an ordinary build: every file in the
// folders (or the files) named on the command line. A broken promise aborts, naming the
// input it came from; a run that found no input at all fails, so a wrong path cannot pass.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool replay(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return false;
    }
    const QByteArray bytes = file.readAll();
    std::fprintf(stderr, "%s (%lld bytes)\n", qPrintable(path),
                 static_cast<long long>(bytes.size()));
    std::fflush(stderr);
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                           std::size_t(bytes.size()));
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QFile::decodeName(argv[i]);
        const QFileInfo info(argument);
        QStringList inputs;
        if (info.isDir()) {
            // Hidden files (the folder's .gitkeep) are not inputs.
            for (const QString& name : QDir(argument).entryList(QDir::Files, QDir::Name))
                inputs << QDir(argument).filePath(name);
        } else {
            inputs << argument;
        }
        for (const QString& input : inputs) {
            if (!replay(input))
                return 1;
            ++replayed;
        }
    }
    if (replayed == 0) {
        std::fputs("no input found\n", stderr);
        return 1;
    }
    std::fprintf(stderr, "%d inputs replayed\n", replayed);
    return 0;
}
