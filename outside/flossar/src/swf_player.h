// The display list of a playing movie: the main timeline and every sprite
// instance on it, stepped frame by frame. Scripts are not run, so a timeline
// simply plays on and loops. Sprite nesting and the number of live objects
// are bounded, so a sprite that places itself cannot recurse without end.
#pragma once

#include "swf_movie.h"

#include <map>
#include <memory>

namespace flossar {

struct SpriteInstance;

struct DisplayObject {
    uint16_t charId = 0;
    Matrix matrix;
    ColorTransform colorTransform;
    uint16_t ratio = 0;
    uint16_t clipDepth = 0;
    int born = 0; // index of the parent's frame that placed it
    std::unique_ptr<SpriteInstance> sprite; // for sprite characters
};

using DisplayList = std::map<uint16_t, DisplayObject>;

struct SpriteInstance {
    const Timeline* timeline = nullptr;
    int frame = 0; // frames shown so far, 1-based once started
    DisplayList list;
};

class Player {
public:
    static constexpr int kMaxNesting = 16;
    static constexpr size_t kMaxLiveObjects = 20000;

    explicit Player(const Movie& movie);

    // The frame shown (1-based); 0 before the first.
    int Current() const { return m_root.frame; }
    // Shows frame (1-based; wraps around the frame count, below 1 is 1).
    void GoTo(int frame);
    // Shows the next frame, back to frame 1 after the last.
    void Next();
    const DisplayList& List() const { return m_root.list; }

private:
    void Reset();
    void Advance(SpriteInstance& instance, int nesting);
    // replay: the frame is applied again as a loop comes round, so an
    // object placed anew at its own depth with its own character stays.
    void Apply(SpriteInstance& instance, int frameIndex, int nesting, bool replay);
    void Release(DisplayObject& object);
    void StartSprite(DisplayObject& object, int nesting);

    const Movie& m_movie;
    SpriteInstance m_root;
    size_t m_live = 0;
};

} // namespace flossar
