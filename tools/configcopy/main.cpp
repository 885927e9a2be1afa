// cubrava-config-copy: refreshes the runtime folder's Config/ from the
// shipped files at build time, by the same rule the installed programs follow
// for a player's own folder.
//
//   cubrava-config-copy <shipped-dir> <target-dir> <record-dir>

#include "data/ConfigCopy.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: cubrava-config-copy SHIPPED_DIR TARGET_DIR RECORD_DIR" << std::endl;
        return 2;
    }
    try {
        for (const std::string& name : cubrava::refreshConfigCopies(argv[1], argv[2], argv[3]))
            std::cout << "Keeping your changed " << argv[2] << "/" << name << "; the shipped one is " << argv[1] << "/"
                      << name << std::endl;
    } catch (const std::exception& e) {
        std::cerr << "cubrava-config-copy: " << e.what() << std::endl;
        return 1;
    }
    return 0;
}
