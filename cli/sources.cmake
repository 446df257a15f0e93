# The command-line tool's options and runs: window-free, in the core library
# so that tests call them without the program; cli/VantuCli.cpp is its main().
list(APPEND vantu_core_sources
    cli/CliOptions.h
    cli/CliSyntax.h cli/CliSyntax.cpp
    cli/CliTexts.h
    cli/CliParse.cpp
    cli/CliPlaces.cpp
    cli/CliRun.cpp
    cli/CliScripts.h cli/CliScripts.cpp
)
