// Everything of the show model in one include: programs of every kind,
// colour templates, project settings, segments and views.
#pragma once

#include "ce_flicker_star.h"
#include "color_template.h"
#include "dib_buffer.h"
#include "node_info.h"
#include "program.h"
#include "program_color_effect.h"
#include "program_color_effect_plus.h"
#include "program_colorful_words.h"
#include "program_image_show.h"
#include "program_trans_effect.h"
#include "program_video.h"
#include "program_view.h"
#include "proj_set.h"
#include "random_animation.h"
#include "segment.h"
#include "segment_info.h"
#include "segment_time_play.h"
