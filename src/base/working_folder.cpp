#include "base/working_folder.h"

#include <fstream>
#include <string>
#include <thread>

#include "base/error.h"
#include "base/temporary_output_name.h"

namespace orvane {
namespace {

fs::path withExt(fs::path folder, const std::string& stem, const QString& ext) {
    return folder / (stem + ext.toStdString());
}

std::string num(int n) { return std::to_string(n); }

// Resolves every component but the last, so that a link inside the tree
// pointing outside cannot smuggle a path out, while the last component (which
// may itself be a link to remove) is kept as it is.
fs::path resolvedParent(const fs::path& path) {
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec).lexically_normal();
    if (absolute.has_filename() == false) absolute = absolute.parent_path();
    fs::path parent = fs::weakly_canonical(absolute.parent_path(), ec);
    if (ec) return {};
    return parent / absolute.filename();
}

void removeEntries(const fs::path& folder) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) return;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        const fs::path entry = it->path();
        std::error_code statusError;
        const fs::file_status status = fs::symlink_status(entry, statusError);
        if (!statusError && fs::is_directory(status)) removeEntries(entry);
        std::error_code ignored;
        fs::remove(entry, ignored);  // a link goes, its target stays
    }
}

}  // namespace

fs::path executableFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::current_path();
    return exe.parent_path();
}

WorkingFolder::WorkingFolder(fs::path root, PackageExtensions ext)
    : m_root(std::move(root)), m_ext(std::move(ext)) {}

fs::path WorkingFolder::base() const { return m_root / "smxcwjj"; }

fs::path WorkingFolder::movieStore() const { return base() / "wj_0_or_2" / "wjj_01"; }
fs::path WorkingFolder::parameterStore() const { return base() / "wj_0_or_2" / "wjj_02"; }
fs::path WorkingFolder::endingPackage() const { return base() / "wj_0_or_1" / "wj_1.rar"; }

fs::path WorkingFolder::parameterUnpackFolder() const {
    return base() / "wj_0_or_2" / "wjj_00_j_y";
}
fs::path WorkingFolder::parameterIntermediate(int i, int n) const {
    return parameterUnpackFolder() / ("wjj_00_j_y" + num(i) + "-" + num(n) + ".rar");
}
fs::path WorkingFolder::parameterPayload(int i) const {
    return parameterUnpackFolder() / ("wjj_00_j_y" + num(i) + ".ini");
}

fs::path WorkingFolder::movieUnpackFolder() const { return base() / "wj_0_or_1" / "wj_1_jy"; }
fs::path WorkingFolder::movieIntermediate(int c, int n) const {
    return movieUnpackFolder() / ("wj_1_jy" + num(c) + "-" + num(n) + ".rar");
}
fs::path WorkingFolder::endingIntermediate(int n) const {
    return movieUnpackFolder() / ("w_j_zuihou-" + num(n) + ".rar");
}

fs::path WorkingFolder::instancesFolder() const { return base() / "tp_wjj" / "tp_wjj"; }
fs::path WorkingFolder::instanceFolder(int n) const {
    return instancesFolder() / ("tp_wjj_" + num(n));
}
fs::path WorkingFolder::instanceMovie(int n) const {
    return withExt(instanceFolder(n), "w_j_" + num(n), m_ext.ext1);
}
fs::path WorkingFolder::instancePicture(int n, int slot) const {
    return withExt(instanceFolder(n), "picture_" + num(slot), m_ext.ext2);
}
fs::path WorkingFolder::endingFolder() const { return instancesFolder() / "tp_wjj_zuihou"; }
fs::path WorkingFolder::endingMovie() const {
    return withExt(endingFolder(), "w_j_zuihou", m_ext.ext1);
}
fs::path WorkingFolder::renumberingFolder(int n) const {
    return instancesFolder() / (num(n) + "_tp_wjj_" + num(n));
}
fs::path WorkingFolder::renumberingMovie(int n, int movieNumber) const {
    return withExt(renumberingFolder(n), "w_j_" + num(movieNumber), m_ext.ext1);
}
fs::path WorkingFolder::transitionFolder() const { return base() / "tp_wjj" / "pic"; }
fs::path WorkingFolder::transitionPicture() const {
    return withExt(transitionFolder(), "picture_0", m_ext.ext2);
}

fs::path WorkingFolder::thumbnailFolder(int kind) const {
    return base() / "tp_wj" / ("tp_slt_" + num(kind));
}
fs::path WorkingFolder::thumbnail(int kind, int n) const {
    return withExt(thumbnailFolder(kind), "tp_slt_" + num(kind) + "_" + num(n), m_ext.ext7);
}
fs::path WorkingFolder::renumberingThumbnail(int kind, int n) const {
    return withExt(thumbnailFolder(kind), num(n) + "_tp_slt_" + num(kind) + "_" + num(n),
                   m_ext.ext7);
}

fs::path WorkingFolder::loadFolder() const { return base() / "tp_load"; }
fs::path WorkingFolder::composedFrame() const { return loadFolder() / "tp_load_1.bmp"; }
fs::path WorkingFolder::lastFrameBitmap() const { return loadFolder() / "tp_load_1_2_1.bmp"; }
fs::path WorkingFolder::lastFrameJpeg() const { return loadFolder() / "tp_load_1_2_1.jpg"; }

fs::path WorkingFolder::keptFilesFolder() const { return base() / "orvane_keep"; }
fs::path WorkingFolder::previewFolder() const { return base() / "wj_yl_xg_1"; }
fs::path WorkingFolder::previewRoot() const {
    return previewFolder() / "wj_yl_xg_1" / "wj_yl_xg_1";
}
fs::path WorkingFolder::previewInstanceFolder(int n) const {
    return previewRoot() / "tp_wjj" / ("wj_yl_xg" + num(n));
}
fs::path WorkingFolder::previewInstanceMovie(int n) const {
    return withExt(previewInstanceFolder(n), "wj_yl_xg_" + num(n), m_ext.ext1);
}
fs::path WorkingFolder::previewInstancePicture(int n, int slot) const {
    return withExt(previewInstanceFolder(n), "picture_" + num(slot), m_ext.ext2);
}
fs::path WorkingFolder::previewEndingFolder() const {
    return previewRoot() / "tp_wjj" / "wj_yl_xg_zuihou";
}
fs::path WorkingFolder::previewEndingMovie() const {
    return withExt(previewEndingFolder(), "wj_yl_xg_zuihou", m_ext.ext1);
}
fs::path WorkingFolder::previewTransitionFolder() const { return previewRoot() / "pic"; }
fs::path WorkingFolder::previewTransitionPicture() const {
    return withExt(previewTransitionFolder(), "picture_0", m_ext.ext2);
}
fs::path WorkingFolder::sessionLockFile() const { return base() / "orvane.lock"; }
fs::path WorkingFolder::outputJournal() const { return base() / "orvane_output.txt"; }

void WorkingFolder::noteOutputInProgress(const fs::path& finalPath) const {
    // Absolute: the next start may run from another folder.
    std::error_code ec;
    const fs::path absolute = fs::absolute(finalPath, ec);
    std::ofstream(outputJournal(), std::ios::trunc) << (ec ? finalPath : absolute).string() << '\n';
}

void WorkingFolder::forgetOutputInProgress() const {
    std::error_code ignored;
    fs::remove(outputJournal(), ignored);
}

namespace {

// Removes the temporary output a killed build left beside the noted output
// (a video file, or a picture-sequence folder with its pictures).
void removeStaleOutput(const fs::path& journal) {
    std::string line;
    {
        std::ifstream in(journal);
        if (!in || !std::getline(in, line) || line.empty()) return;
    }
    const fs::path output(line);
    std::error_code ec;
    std::vector<fs::path> stale;
    for (const auto& entry : fs::directory_iterator(output.parent_path(), ec))
        if (isTemporaryOutputOf(entry.path().filename().string(), output.filename().string()))
            stale.push_back(entry.path());
    for (const fs::path& path : stale) removeTemporaryOutput(path);
}

}  // namespace

std::vector<fs::path> WorkingFolder::leftoverFiles() const {
    const fs::path tp0 = base() / "tp_0";
    const fs::path load = loadFolder();
    return {
        base() / "tp_slt_tp_0_1.png",
        load / "tp_load_1.bmp",
        load / "tp_load_1_1.bmp",
        load / "tp_load_1.jpg",
        load / "tp_load_1_2_1.bmp",
        load / "tp_load_1_2_1.jpg",
        base() / "wj_0_or_1" / "wj_1_jy.rar",
        load / "tp_load_0.rar",
        tp0 / "tp_slt_0_0.png",
        tp0 / "tp_slt_0_1.png",
        tp0 / "tp_slt_0_02.rar",
        tp0 / "tp_slt_0_12.rar",
        tp0 / "tp_slt_1_0.png",
        tp0 / "tp_slt_1_1.png",
        tp0 / "tp_slt_1_02.rar",
        tp0 / "tp_slt_1_12.rar",
        tp0 / "tp_slt_tp_0.png",
        tp0 / "tp_slt_tp_0_1.png",
        tp0 / "tp_slt_tp_02.rar",
        tp0 / "tp_slt_tp_0_12.rar",
    };
}

namespace {
fs::path leftoverWorkFolder(const fs::path& base) {
    return base / "wj_x_g_c_l_1" / "wj_x_g_c_l_1" / "wj_x_g_c_l_1" / "wj_x_g_c_l_1";
}
}  // namespace

bool WorkingFolder::contains(const fs::path& path) const {
    std::error_code ec;
    const fs::path baseResolved = fs::weakly_canonical(base(), ec);
    if (ec) return false;
    const fs::path target = resolvedParent(path);
    if (target.empty()) return false;
    const fs::path relative = target.lexically_relative(baseResolved);
    if (relative.empty() || relative == ".") return false;
    return *relative.begin() != "..";
}

void WorkingFolder::removeTree(const fs::path& folder) const {
    if (!contains(folder)) return;
    const fs::path target = resolvedParent(folder);
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(target, ec);
    if (ec || !fs::exists(status)) return;
    if (fs::is_directory(status)) removeEntries(target);
    fs::remove(target, ec);
}

void WorkingFolder::createFolder(const fs::path& folder) const {
    std::error_code ec;
    for (int attempt = 0; attempt < 50; ++attempt) {
        fs::create_directories(folder, ec);
        if (fs::is_directory(folder, ec)) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    throw OrvaneError(QStringLiteral("cannot create the folder %1").arg(toQString(folder)));
}

void WorkingFolder::recreateFolder(const fs::path& folder) const {
    removeTree(folder);
    createFolder(folder);
}

void WorkingFolder::cleanAtStart() const {
    recreateFolder(thumbnailFolder(1));
    recreateFolder(thumbnailFolder(2));
    recreateFolder(thumbnailFolder(3));
    recreateFolder(movieUnpackFolder());
    removeTree(instancesFolder());
    removeTree(transitionFolder());
    removeTree(leftoverWorkFolder(base()));
    removeTree(previewFolder());
    removeTree(keptFilesFolder());  // left by a run that ended mid-operation
    for (const fs::path& file : leftoverFiles()) removeTree(file);
    removeStaleOutput(outputJournal());
    forgetOutputInProgress();
}

void WorkingFolder::cleanAtExit() const {
    removeTree(base() / "tp_wj");
    removeTree(base() / "tp_wjj");
    removeTree(parameterUnpackFolder());
    removeTree(leftoverWorkFolder(base()));
    removeTree(previewFolder());
    removeTree(movieUnpackFolder());
    for (const fs::path& file : leftoverFiles()) removeTree(file);
}

}  // namespace orvane
