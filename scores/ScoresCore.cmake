# The widget-free score library. Included by scores/CMakeLists.txt and by the
# standalone fuzz build, which must not pull in the dialogs.
set(BIMZO_SCORES_DIR ${CMAKE_CURRENT_LIST_DIR})
add_library(bimzo_scores STATIC
  ${BIMZO_SCORES_DIR}/cp932.cpp
  ${BIMZO_SCORES_DIR}/cp932.h
  ${BIMZO_SCORES_DIR}/scoretable.cpp
  ${BIMZO_SCORES_DIR}/scoretable.h
  ${BIMZO_SCORES_DIR}/scorefile.cpp
  ${BIMZO_SCORES_DIR}/scorefile.h
  ${BIMZO_SCORES_DIR}/ranking.cpp
  ${BIMZO_SCORES_DIR}/ranking.h
)
# Includes name their layer: "scores/ScoreFile.h".
target_include_directories(bimzo_scores PUBLIC ${BIMZO_SCORES_DIR}/..)
target_link_libraries(bimzo_scores PUBLIC Qt6::Core)
if(TARGET bimzo_build_flags)  # not in the standalone fuzz build
  target_link_libraries(bimzo_scores PUBLIC bimzo_build_flags)
endif()
target_compile_features(bimzo_scores PUBLIC cxx_std_20)
set_target_properties(bimzo_scores PROPERTIES AUTOMOC OFF POSITION_INDEPENDENT_CODE ON)
