# Short pieces of music made of sine tones, encoded at build time with GStreamer, for the
# tests, the demo and the benchmarks. Nothing recorded elsewhere is needed.
find_program(SAVER_GST_LAUNCH gst-launch-1.0 REQUIRED)
set(SAVER_TONES_DIR ${PROJECT_BINARY_DIR}/tones)
add_custom_target(saver_tones ALL)

# saver_encoder(NAME VARIABLE): the GStreamer elements that encode for NAME's extension.
function(saver_encoder name variable)
    get_filename_component(extension ${name} LAST_EXT)
    if(extension STREQUAL ".mp3")
        set(${variable} lamemp3enc PARENT_SCOPE)
    elseif(extension STREQUAL ".ogg")
        set(${variable} vorbisenc ! oggmux PARENT_SCOPE)
    elseif(extension STREQUAL ".wav")
        set(${variable} wavenc PARENT_SCOPE)
    else()
        message(FATAL_ERROR "saver_encoder: no encoding for ${name}")
    endif()
endfunction()

# saver_tone(NAME FREQUENCY MILLISECONDS): ${SAVER_TONES_DIR}/NAME, a stereo sine tone at
# 44.1 kHz; the extension of NAME (.mp3, .ogg or .wav) chooses the encoding.
function(saver_tone name frequency milliseconds)
    saver_encoder(${name} encoder)
    set(output ${SAVER_TONES_DIR}/${name})
    math(EXPR buffers "${milliseconds} / 10")
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${SAVER_TONES_DIR}
        COMMAND ${SAVER_GST_LAUNCH} -q audiotestsrc wave=sine freq=${frequency} volume=0.3
                num-buffers=${buffers} samplesperbuffer=441 ! audio/x-raw,rate=44100,channels=2
                ! audioconvert ! ${encoder} ! filesink location=${output}
        COMMENT "Encoding the tone ${name}"
        VERBATIM)
    string(MAKE_C_IDENTIFIER "tone_${name}" target)
    add_custom_target(${target} DEPENDS ${output})
    add_dependencies(saver_tones ${target})
endfunction()

# The tones everything shares: three short clips of different pitch, a one-second piece
# and a long one for the benchmark.
saver_tone(clip-a.mp3 440 500)
saver_tone(clip-b.mp3 660 500)
saver_tone(clip-c.mp3 880 500)
saver_tone(clip-b.ogg 660 500)
saver_tone(clip-c.wav 880 500)
saver_tone(second.mp3 523 1000)
saver_tone(long.mp3 392 30000)

# The demo saver's music: a short melody (tools/demo/melody.py) as MP3 and Ogg/Vorbis.
set(melody_wav ${SAVER_TONES_DIR}/melody.wav)
add_custom_command(OUTPUT ${melody_wav}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${SAVER_TONES_DIR}
    COMMAND python3 ${PROJECT_SOURCE_DIR}/tools/demo/melody.py ${melody_wav}
    DEPENDS ${PROJECT_SOURCE_DIR}/tools/demo/melody.py
    COMMENT "Writing the demo melody"
    VERBATIM)
foreach(encoding mp3 ogg)
    saver_encoder(melody.${encoding} encoder)
    set(output ${SAVER_TONES_DIR}/melody.${encoding})
    add_custom_command(OUTPUT ${output}
        COMMAND ${SAVER_GST_LAUNCH} -q filesrc location=${melody_wav} ! wavparse ! audioconvert
                ! ${encoder} ! filesink location=${output}
        DEPENDS ${melody_wav}
        COMMENT "Encoding the demo melody as ${encoding}"
        VERBATIM)
    add_custom_target(tone_melody_${encoding} DEPENDS ${output})
    add_dependencies(saver_tones tone_melody_${encoding})
endforeach()
