#include "browser/pane_traits.h"

namespace orvane {

const PaneTraits& paneTraits(PaneKind kind) {
    static const std::array<PaneTraits, 3> kPanes{{
        {PaneKind::Photos, 1, QStringLiteral("相片区域"), QStringLiteral("Panel_xianshikuang"),
         QStringLiteral("Panel_xianshikuang_daxiao"), QStringLiteral("Imagem_"), QSize(180, 180),
         QStringLiteral("Shape_xiangpian"), QStringLiteral("Shape_xiangpian_xuanzhong"),
         QStringLiteral("Image_jindutiao_"), QStringLiteral("suiListView_xiangpian_liebiao"),
         QStringLiteral("TForm31"), QStringLiteral("相片控件渐变提示信息"), QSize(264, 109),
         QStringLiteral("        相片缩略图预览")},
        {PaneKind::Music, 2, QStringLiteral("音乐区域"),
         QStringLiteral("Panel_xianshikuang_yinyue"),
         QStringLiteral("Panel_xianshikuang_daxiao_yinyue"), QStringLiteral("Imagemyinyue_"),
         QSize(150, 150), QStringLiteral("Shape_yinyue"), QStringLiteral("Shape_yinyue_xuanzhong"),
         QStringLiteral("Image_jindutiao_yinyue_"), QStringLiteral("suiListView_yinyue_liebiao"),
         QStringLiteral("TForm32"), QStringLiteral("音乐控件渐变提示信息"), QSize(251, 111),
         QStringLiteral("        音乐缩略图预览")},
        {PaneKind::Lyrics, 3, QStringLiteral("歌词区域"), QStringLiteral("Panel_xianshikuang_geci"),
         QStringLiteral("Panel_xianshikuang_daxiao_geci"), QStringLiteral("Imagemgeci_"),
         QSize(150, 150), QStringLiteral("Shape_geci"), QStringLiteral("Shape_geci_xuanzhong"),
         QStringLiteral("Image_jindutiao_geci_"), QStringLiteral("suiListView_geci_liebiao"),
         QStringLiteral("TForm33"), QStringLiteral("歌词控件渐变提示信息"), QSize(244, 112),
         QStringLiteral("        歌词缩略图预览")},
    }};
    return kPanes[static_cast<std::size_t>(kind)];
}

QStringList reportColumns(PaneKind kind) {
    switch (kind) {
        case PaneKind::Photos:
            return {QStringLiteral("序号"),     QStringLiteral("文件名"),
                    QStringLiteral("类型"),     QStringLiteral("相片宽度"),
                    QStringLiteral("相片高度"), QStringLiteral("竖照或横照"),
                    QStringLiteral("模板绑定"), QStringLiteral("文件位置")};
        case PaneKind::Music:
            return {QStringLiteral("序号"),         QStringLiteral("音乐文件名"),
                    QStringLiteral("音乐类型"),     QStringLiteral("音乐时间"),
                    QStringLiteral("音乐文件位置"), QStringLiteral("绑定歌词")};
        case PaneKind::Lyrics:
            return {QStringLiteral("序号"),         QStringLiteral("歌词文件名"),
                    QStringLiteral("歌词类型"),     QStringLiteral("歌词文件位置"),
                    QStringLiteral("绑定音乐"),     QStringLiteral("歌词颜色"),
                    QStringLiteral("歌词大小"),     QStringLiteral("歌词字体"),
                    QStringLiteral("歌词字体类型"), QStringLiteral("歌词左中右"),
                    QStringLiteral("歌词上中下")};
    }
    return {};
}

}  // namespace orvane
