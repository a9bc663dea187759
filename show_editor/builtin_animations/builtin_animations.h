// The built-in animations the program ships in "Resource\ani_template": a
// few short SWF animations of plain vector shapes, gradients and colour
// transforms, made here from their recipes. The shipped files are written
// by make_builtin_animations (tools/make-builtin-animations.sh) and a test
// checks that they are what the recipes make.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct BuiltInAnimation {
    std::wstring fileName; // "Rainbow sweep.swf": the name the browser shows
    std::vector<uint8_t> bytes; // a plain (uncompressed) SWF file
    int frames = 0;
};

// Every built-in animation, in a fixed order.
std::vector<BuiltInAnimation> MakeBuiltInAnimations();
