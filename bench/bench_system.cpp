// The System page's costs: listing a library of 1000 parameter files, saving one parameter file
// (written beside, flushed, renamed, folder flushed), and showing the page (refreshed from the
// model, laid out and painted). Run with --benchmark_repetitions=N and read the medians.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/common/labeltable.h"
#include "core/model/audiodata.h"
#include "core/model/pmxfile.h"
#include "gui/settings/pmxfilepanel.h"
#include "gui/settings/systemsettingdlg.h"

namespace {
void BM_RefreshFileList1000(benchmark::State& state) {
    QTemporaryDir folder;
    CAudioData model;
    for (int i = 0; i < 1000; ++i) {
        QFile file(folder.filePath(QStringLiteral("mode %1.pmx").arg(i)));
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray(4060, 0));
    }
    CPmxFilePanel panel(model, folder.path());
    for (auto _ : state) {
        panel.RefreshFileList();
    }
    if (panel.Files().size() != 1000) {
        state.SkipWithError("the library did not list 1000 files");
    }
}
BENCHMARK(BM_RefreshFileList1000)->Unit(benchmark::kMillisecond);

void BM_SaveParameterFile(benchmark::State& state) {
    QTemporaryDir folder;
    CAudioData model;
    const std::string path = QFile::encodeName(folder.filePath("saved.pmx")).toStdString();
    for (auto _ : state) {
        if (!SaveParameterFile(model, path).ok) {
            state.SkipWithError("the file could not be saved");
            break;
        }
    }
}
BENCHMARK(BM_SaveParameterFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ShowSystemPage(benchmark::State& state) {
    LoadLabelTable(kLanguageEnglish);
    QTemporaryDir folder;
    CAudioData model;
    CSystemSettingDlg page(model, folder.path());
    page.resize(1100, 567);
    page.show();
    QApplication::processEvents();
    for (auto _ : state) {
        page.hide();
        page.show();
        QApplication::processEvents();
        // Every control of the page painted, as the window would paint it.
        benchmark::DoNotOptimize(page.grab());
    }
}
BENCHMARK(BM_ShowSystemPage)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace
