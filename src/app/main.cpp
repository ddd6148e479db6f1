#include "app/startup.h"

int main(int argc, char **argv)
{
    return Tarvosk::runTarvosk(argc, argv);
}
