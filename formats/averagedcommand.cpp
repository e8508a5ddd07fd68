#include "averagedcommand.h"

#include "averagedwriter.h"
#include "averaging.h"

LoadResult averagedS2PCommand(RubberS2P& list, const std::string& path, std::string* reason)
{
    if (list.itemCount == 0)
        return LoadNoData;
    RubberS2PData average;
    averageMeasurements(average, list);
    if (average.dataValid == 0)
        return LoadCannotWrite;
    return writeAveragedS2P(average, path, reason);
}
