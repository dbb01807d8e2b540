#include "report/credit_line.h"

namespace gravmark {

std::string creditLine(const std::string& productVersion) {
    return "<font face=Tahoma><font size=1><p align=center>Statistics by Gravmark Parser v." +
           productVersion + "</p></font></font>";
}

}  // namespace gravmark
