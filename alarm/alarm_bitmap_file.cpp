#include "alarm/alarm_bitmap_file.h"

#include "shell/zelvaro_error.h"

// Until the project's BMP reader is in this tree every picture is refused.
QImage LoadAlarmBitmap(const std::string& path)
{
    (void)path;
    throw ZelvaroError("ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞが不正です");
}
