// tesvar-batch: runs the application's commands as steps named on the command line.
#include <iostream>
#include <string>
#include <vector>

#include "batch/batch_runner.h"
#include "processing/fft.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    // Sizes the window has measured on this machine are planned with their measured plans.
    tesvar::useTransformWisdom(tesvar::transformWisdomPath());
    const std::vector<std::string> args(argv + 1, argv + argc);
    return tesvar::batch::runBatch(args, std::cout, std::cerr);
}
