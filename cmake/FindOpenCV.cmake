# Finds OpenCV's core and imgproc. The Windows archive brings OpenCV's own
# CMake package, which is used when found. Debian's libopencv-imgproc-dev has
# the headers and libraries but no CMake package (that comes only with
# libopencv-dev, which pulls in every module), so the rest is found here and
# given the package's target names: opencv_core, opencv_imgproc.
find_package(OpenCV CONFIG QUIET COMPONENTS ${OpenCV_FIND_COMPONENTS})
if(OpenCV_FOUND)
    return()
endif()

find_path(OpenCV_INCLUDE_DIR opencv2/core.hpp PATH_SUFFIXES opencv4)
set(OpenCV_LIBS)
foreach(component ${OpenCV_FIND_COMPONENTS})
    find_library(OpenCV_${component}_LIBRARY opencv_${component})
    if(OpenCV_${component}_LIBRARY AND OpenCV_INCLUDE_DIR AND NOT TARGET opencv_${component})
        add_library(opencv_${component} UNKNOWN IMPORTED)
        # Imported include folders are system folders, so OpenCV's headers
        # raise no warnings under -Werror.
        set_target_properties(opencv_${component} PROPERTIES
            IMPORTED_LOCATION ${OpenCV_${component}_LIBRARY}
            INTERFACE_INCLUDE_DIRECTORIES ${OpenCV_INCLUDE_DIR})
    endif()
    if(OpenCV_${component}_LIBRARY)
        set(OpenCV_${component}_FOUND TRUE)
    endif()
    list(APPEND OpenCV_LIBS opencv_${component})
endforeach()

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(OpenCV REQUIRED_VARS OpenCV_INCLUDE_DIR HANDLE_COMPONENTS)
