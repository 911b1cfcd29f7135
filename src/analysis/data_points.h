#pragma once

#include <string>
#include <vector>

namespace tesvar {

struct SpectrumDocument;

class ListView;

// Controls of the "DisplayDataPointsDB" dialog.
namespace data_points_ids {
inline constexpr int Ok = 1;
inline constexpr int List = 80;
inline constexpr int IndexLabel = 1028;
}  // namespace data_points_ids

// Texts of the "DisplayDataPointsDB" dialog.
namespace text {
inline constexpr const char* kDataPointsTitle = "Display Data Points (Reals)";
inline constexpr const char* kDataPointsIndexLabel = "Index";
inline constexpr const char* kDataPointsValueLabel = "Value";
}  // namespace text

// The element indexes the data-point list covers: the even indexes i with
// first <= i <= last. first is even (an odd first index is moved down to the real part
// before it). The range is already clipped to the data in use and to the buffer, so
// first > last means an empty list.
struct DataPointRange {
    int first = 0;
    int last = -1;
};

// The range under the current display limits (viewLeft..viewRight). Without a usable
// acquisition time the list is empty.
DataPointRange dataPointRange(const SpectrumDocument& doc);

// One line of the list: "%5d  %.3lf" with the point number and the real value.
std::string dataPointLine(int pointNumber, double value);

// The lines of the "Display Data Points (Reals)" list, in order.
std::vector<std::string> dataPointLines(const SpectrumDocument& doc);

// The dialog on opening: its list gets the lines of the points displayed.
void showDataPoints(const SpectrumDocument& doc, ListView& list);

}  // namespace tesvar
