#pragma once
// What the painter draws for a player's frame on a target of one size,
// object by object: each display object with the device transform and
// colour transform it is painted with, and the device rectangle it may
// touch. Two layouts of the same movie and size tell which part of the
// target can differ between their frames, so a frame can be painted over
// the previous one only where something moved, changed or came and went.
//
// A field the painter starts to read must be added to Node too.
//
// Made from the player's state; use from the player's thread.

#include <QRect>
#include <QRegion>
#include <QSize>
#include <QTransform>
#include <cstdint>
#include <vector>

#include "render/swf/swf_movie.h"

namespace orvane::swf {

class Player;
struct Clip;

class FrameLayout {
   public:
    static FrameLayout of(const Player& player, QSize target);

    // The device area of `next` that may hold other pixels than this
    // layout's frame: empty when both paint the same, the whole target when
    // they belong to different movies or sizes.
    QRegion changedArea(const FrameLayout& next) const;

   private:
    struct Node {
        int depth = 0;
        const void* character = nullptr;
        const void* picture = nullptr;
        qint64 pictureKey = 0;
        QTransform world;
        ColorTransform color;
        int clipDepth = 0;
        QRect bounds;  // device pixels the object and everything in it may touch
        std::vector<Node> children;

        bool paintsLike(const Node& other) const;
    };

    static void addClip(Node& node, const Clip& clip, QSize target, int level);
    static void addChanges(const Node& before, const Node& after, std::vector<QRect>& changed);
    static void addChanges(const std::vector<Node>& before, const std::vector<Node>& after,
                           std::vector<QRect>& changed);

    const Movie* m_movie = nullptr;
    QSize m_target;
    Node m_root;
};

}  // namespace orvane::swf
