#include "auto_fit.h"

#include "templates/bar_list.h"

namespace orvane {
namespace {

const QString kOne = QStringLiteral("1");
const QString kTwo = QStringLiteral("2");
constexpr PhotoStep kNotYes = PhotoStep::Pending;

void fillPool(Table<TemplateEntry>& pool, const Table<TemplateEntry>& classified,
              bool (*accepts)(const TemplateEntry&)) {
    pool.clear();
    for (std::size_t i = 0; i < classified.size(); ++i) {
        if (!accepts(classified.at(i))) continue;
        TemplateEntry row = classified.at(i);
        row.classifiedRow = QString::number(i);
        pool.append(std::move(row));
    }
}

bool singlePhoto(const TemplateEntry& t) { return t.photoCount == kOne; }
bool oneOrTwoPhotos(const TemplateEntry& t) { return t.photoCount == kOne || t.photoCount == kTwo; }
bool anyTemplate(const TemplateEntry&) { return true; }

QString orientationCaption(const QString& orientation) {
    return orientation == kPortrait ? QStringLiteral("竖照片") : QStringLiteral("横照片");
}

class Matcher {
   public:
    Matcher(ProjectModel& model, Progress& progress)
        : m_model(model),
          m_batch(model.photoWorking),
          m_progress(progress),
          m_leftOut(model.photoWorking.size(), false) {}

    AutoFitReport run() {
        const int n = m_batch.count();
        rebuildPools(m_model, n);
        for (std::size_t p = 0; p < m_batch.size(); ++p) {
            m_progress.advance();
            if (n < 5)
                assignSingle(p);
            else if (m_batch.at(p).orientation == kPortrait)
                assignPortrait(p);
            else
                assignLandscape(p);
            if (!m_leftOut[p]) appendToProject(m_batch.at(p));
        }
        return std::move(m_report);
    }

   private:
    bool assigned(std::size_t row) const { return !m_batch.at(row).testImageName.isEmpty(); }
    bool open(std::size_t row, const QString& orientation) const {
        return !m_leftOut[row] && !assigned(row) && m_batch.at(row).orientation == orientation;
    }

    int countOpen(const QString& orientation) const {
        int count = 0;
        for (std::size_t r = 0; r < m_batch.size(); ++r) count += open(r, orientation) ? 1 : 0;
        return count;
    }

    // A uniform draw; an empty pool leaves the photo out with a message.
    const TemplateEntry* draw(const Table<TemplateEntry>& pool, std::size_t p) {
        if (pool.empty()) {
            const PhotoEntry& photo = m_batch.at(p);
            m_report.unplaced.push_back(
                QStringLiteral("没有找到合适的模板：%1（%2）")
                    .arg(photo.location, orientationCaption(photo.orientation)));
            m_leftOut[p] = true;
            return nullptr;
        }
        return &pool.at(static_cast<std::size_t>(m_model.random.below(pool.count())));
    }

    QString nextInstance() {
        const int next = fieldToInt(m_model.templateInstanceCount, "templateInstanceCount") + 1;
        m_model.templateInstanceCount = QString::number(next);
        return m_model.templateInstanceCount;
    }

    void assignSingle(std::size_t p) {
        PhotoEntry& photo = m_batch.at(p);
        const bool portrait = photo.orientation == kPortrait;
        const TemplateEntry* t = draw(portrait ? m_model.portraitPool : m_model.landscapePool, p);
        if (!t) return;
        assignTemplate(photo, *t, 1, nextInstance(), QStringLiteral("picture_1"));
    }

    // Gives the open photos of `orientation`, from the first row on, slotCount
    // 1..slotCount of `t`.
    void fillTemplate(const TemplateEntry& t, const QString& orientation, int slotCount,
                      const QString& suffix) {
        const QString folder = nextInstance();
        int k = 1;
        for (std::size_t r = 0; r < m_batch.size() && k <= slotCount; ++r) {
            if (!open(r, orientation)) continue;
            assignTemplate(m_batch.at(r), t, k, folder,
                           QStringLiteral("picture_%1  %2").arg(k).arg(suffix));
            ++k;
        }
    }

    void assignLandscape(std::size_t p) {
        if (!open(p, kLandscape)) return;
        const TemplateEntry* t = draw(m_model.landscapePool, p);
        if (!t) return;
        if (t->photoCount == kOne) {
            assignTemplate(m_batch.at(p), *t, 1, nextInstance(), QStringLiteral("picture_1h"));
            return;
        }
        const int slotCount = fieldToInt(t->landscapeCount, "landscapeCount");
        if (countOpen(kLandscape) < slotCount) {
            const TemplateEntry* s = draw(m_model.landscapePoolSingle, p);
            if (!s) return;
            assignTemplate(m_batch.at(p), *s, 1, nextInstance(),
                           QStringLiteral("picture_1he不成立"));
            return;
        }
        fillTemplate(*t, kLandscape, slotCount, QStringLiteral("heng"));
    }

    // A portrait template needs strictly more open portrait photos than its
    // portrait slotCount.
    void assignPortrait(std::size_t p) {
        if (!open(p, kPortrait)) return;
        const TemplateEntry* t = draw(m_model.portraitPool, p);
        if (!t) return;
        if (t->photoCount == kOne) {
            assignTemplate(m_batch.at(p), *t, 1, nextInstance(), QStringLiteral("picture_1s"));
            return;
        }
        if (countOpen(kPortrait) > fieldToInt(t->portraitCount, "portraitCount")) {
            fillTemplate(*t, kPortrait, fieldToInt(t->photoCount, "photoCount"),
                         QStringLiteral("shu"));
            return;
        }
        const TemplateEntry* s = draw(m_model.portraitPoolSingle, p);
        if (!s) return;
        assignTemplate(m_batch.at(p), *s, 1, nextInstance(), QStringLiteral("picture_1sh不成立"));
    }

    void appendToProject(const PhotoEntry& photo) {
        PhotoEntry row = photo;
        row.thumbnailState = kNotYes;
        row.cropState = kNotYes;
        m_model.photos.append(std::move(row));
    }

    ProjectModel& m_model;
    Table<PhotoEntry>& m_batch;
    Progress& m_progress;
    std::vector<bool> m_leftOut;
    AutoFitReport m_report;
};

}  // namespace

void assignTemplate(PhotoEntry& photo, const TemplateEntry& t, int slot, const QString& folder,
                    const QString& marker) {
    const auto k = static_cast<qsizetype>(slot - 1);
    photo.templateFolder = folder;
    photo.mainTemplateNo = t.seqNo;
    photo.testImageName = marker;
    photo.templatePhotoCount = t.photoCount;
    photo.imageName = QStringLiteral("picture_%1").arg(slot);
    photo.templatePath = t.location;
    photo.requiredWidth = parseBarList(t.photoWidth).value(k);
    photo.requiredHeight = parseBarList(t.photoHeight).value(k);
    photo.slotWidth = t.photoWidth;
    photo.slotHeight = t.photoHeight;
    photo.slotOrientation = t.orientation;
    photo.slotJpgName = t.jpgName;
    photo.templateFrameCount = t.frameCount;
}

void rebuildPools(ProjectModel& model, int batchSize) {
    auto* main = batchSize < 5 ? singlePhoto : batchSize < 12 ? oneOrTwoPhotos : anyTemplate;
    fillPool(model.landscapePool, model.landscapeTemplates, main);
    fillPool(model.portraitPool, model.portraitTemplates, main);
    if (batchSize < 5) {
        model.landscapePoolSingle.clear();
        model.portraitPoolSingle.clear();
        return;
    }
    fillPool(model.landscapePoolSingle, model.landscapeTemplates, singlePhoto);
    fillPool(model.portraitPoolSingle, model.portraitTemplates, singlePhoto);
}

AutoFitReport runAutoFit(ProjectModel& model, Progress& progress) {
    return Matcher(model, progress).run();
}

}  // namespace orvane
