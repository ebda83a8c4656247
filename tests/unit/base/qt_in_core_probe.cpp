// Compiled with core's include path only: it must not build.
#include <QString>
#include <QtCore/QString>
int main()
{
    return 0;
}
