#pragma once
// Compiles a template description into a SWF movie that follows the
// template protocol: it sets l_x_z_f_c, loads the transition picture and
// every slot picture into their clips on the first frame, sends the
// FSCommand "picture_0", and animates its layers frame by frame.

#include "description.h"
#include "swf_writer.h"

namespace orvane::tc {

inline constexpr const char* kMarkerVariable = "l_x_z_f_c";
inline constexpr const char* kMarkerValue = "l_x_z_f_c_s_y_w_j";
inline constexpr const char* kTransitionPicture = "../../pic/picture_0";
inline constexpr const char* kStagedPictureExtension = ".rar";

// Throws std::runtime_error on a layer it cannot compile.
swfwrite::Bytes buildMovie(const TemplateDescription& d);

}  // namespace orvane::tc
