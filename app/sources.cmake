target_sources(vantu_lib PRIVATE
    app/InstanceGuard.h app/InstanceGuard.cpp
)
