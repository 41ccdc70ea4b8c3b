#!/usr/bin/env bash
# Rebuilds every picture and sound under assets/ from the sources in art/.
#
# Needs rsvg-convert (librsvg2-bin), ImageMagick, sox, python3 and the TeX Gyre
# fonts (fonts-texgyre; the logos' lettering uses TeX Gyre Adventor). The
# results are committed, so building the game needs none of this.
#
# Output is byte-for-byte reproducible: PNGs carry no timestamps or text chunks,
# JPEGs no metadata, sox runs without dither, and scatter uses fixed seeds.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
art=$root/art
out=$root/assets
tex=$out/textures

# Prefer the real ImageMagick binary over any wrapper earlier on PATH.
CONVERT=${CONVERT:-$(command -v /usr/bin/convert || command -v convert)}
for tool in rsvg-convert sox python3 "$CONVERT"; do
    command -v "$tool" >/dev/null || { echo "make_assets: missing $tool" >&2; exit 1; }
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

mkdir -p "$out"/fonts "$out"/sounds "$tex"/Logos "$tex"/Player "$tex"/Clouds/256x256 \
         "$tex"/Clouds/128x128 "$tex"/Garbage "$tex"/Flowers "$tex"/Icons

# Write a PNG as 8-bit RGBA without date/time or other ancillary chunks.
png_out() { # in.png out.png [extra convert options before output]
    local in=$1 dst=$2
    shift 2
    "$CONVERT" "$in" "$@" -strip -define png:exclude-chunks=date,time,tEXt,zTXt,iTXt \
        -define png:compression-level=9 "PNG32:$dst"
}

# Render an SVG (optionally zoomed) and cut away every fully transparent border
# line: the game collides with the whole sprite rectangle.
trimmed() { # src.svg dst.png zoom
    rsvg-convert -z "$3" "$1" -o "$tmp/render.png"
    png_out "$tmp/render.png" "$2" -trim +repage
}

# Trim only left and right, keeping the designed height (emblems have a fixed height).
trim_sides() { # src.svg dst.png
    rsvg-convert "$1" -o "$tmp/render.png"
    local h bbox w x
    h=$("$CONVERT" "$tmp/render.png" -format '%h' info:)
    bbox=$("$CONVERT" "$tmp/render.png" -format '%@' info:)   # WxH+X+Y of the ink
    w=${bbox%%x*}
    x=${bbox#*+}; x=${x%%+*}
    png_out "$tmp/render.png" "$2" -crop "$((w + 2))x${h}+$((x > 0 ? x - 1 : 0))+0" +repage
}

# Fonts come unchanged from Debian's fonts-texgyre, with their licence beside them.
texgyre=/usr/share/texmf/fonts/opentype/public/tex-gyre
if [ -d "$texgyre" ]; then
    cp "$texgyre"/texgyreadventor-regular.otf "$texgyre"/texgyreadventor-bold.otf "$out"/fonts/
    cp /usr/share/texmf/doc/fonts/tex-gyre/GUST-FONT-LICENSE.txt "$out"/fonts/LICENSE-GUST-FONT-LICENSE.txt
    cp /usr/share/texmf/doc/fonts/tex-gyre/README-TeX-Gyre-Adventor.txt "$out"/fonts/
fi

# Runner: the sheet is generated from a limb model.
python3 "$art/player.py" > "$tmp/player.svg"
rsvg-convert "$tmp/player.svg" -o "$tmp/player.png"
png_out "$tmp/player.png" "$tex/Player/player_spritesheet_74.png"

# Clouds: one drawing per shape, rendered at both sizes.
for i in 1 2; do
    for s in 256 128; do
        rsvg-convert -w "$s" -h "$s" "$art/clouds/cloud_$i.svg" -o "$tmp/cloud.png"
        png_out "$tmp/cloud.png" "$tex/Clouds/${s}x${s}/Cloud_$i.png"
    done
done

# Flowers: the zoom sets the on-screen height (about 60 to 80 px).
trimmed "$art/flowers/len.svg"       "$tex/Flowers/len_larger.png"       0.8
trimmed "$art/flowers/hvezdnice.svg" "$tex/Flowers/hvezdnice_larger.png" 0.8
trimmed "$art/flowers/sasanka.svg"   "$tex/Flowers/sasanka_larger.png"   0.85

# Garbage.
trimmed "$art/garbage/can.svg"            "$tex/Garbage/can_small_thinnest.v2.png"            1
trimmed "$art/garbage/coke_can.svg"       "$tex/Garbage/coke_can_small_thinnest.v2.png"       1
trimmed "$art/garbage/glass_bottle.svg"   "$tex/Garbage/glass_bottle_small_thinnest.v2.png"   0.92
trimmed "$art/garbage/plastic_bottle.svg" "$tex/Garbage/plastic_bottle_small_thinnest.v2.png" 0.96

# Emblems.
trim_sides "$art/logos/korvel.svg"   "$tex/Logos/korvel_50.png"
trim_sides "$art/logos/partners.svg" "$tex/Logos/logos_combined_60.png"

# The controls a finger can tap, at their drawn size: the speaker in both states, pause and resume.
for icon in sound_on sound_off pause resume; do
    rsvg-convert "$art/icons/$icon.svg" -o "$tmp/$icon.png"
    png_out "$tmp/$icon.png" "$tex/Icons/$icon.png"
done

# Info pictures: opaque JPEGs.
python3 "$art/info_pictures.py" "$tmp"
for name in vegetace:vegetace_20 morfologie:morfologie_2_20; do
    rsvg-convert "$tmp/${name%%:*}.svg" -o "$tmp/info.png"
    "$CONVERT" "$tmp/info.png" -background white -flatten -alpha off -strip \
        -sampling-factor 4:2:0 -quality 90 "JPEG:$tex/${name#*:}.jpg"
done

# Sounds: mono, 44.1 kHz, 16-bit, normalised to -3 dBFS, with fades at both ends.
snd() { sox -D -R -n -r 44100 -b 16 -c 1 "$@"; }
# pickup: a bright two-step chime (E6 then B6, each with a soft octave on top)
snd "$tmp/p1.wav" synth 0.06 sine 1318.5 sine mix 2637 fade q 0.003 0.06 0.03
snd "$tmp/p2.wav" synth 0.17 sine 1975.5 sine mix 3951 fade q 0.003 0.17 0.15
sox -D -R "$tmp/p1.wav" "$tmp/p2.wav" "$tmp/pickup.wav" gain -n -3
cp "$tmp/pickup.wav" "$out/sounds/pickup.wav"
# game over: a falling minor phrase G4 - Eb4 - C4, the last note held and fading
snd "$tmp/g1.wav" synth 0.25 triangle 392.0  sine mix 784.0 fade q 0.006 0.25 0.08
snd "$tmp/g2.wav" synth 0.25 triangle 311.13 sine mix 622.3 fade q 0.006 0.25 0.08
snd "$tmp/g3.wav" synth 0.50 triangle 261.63 sine mix 523.3 fade q 0.006 0.50 0.40
sox -D -R "$tmp/g1.wav" "$tmp/g2.wav" "$tmp/g3.wav" "$tmp/over.wav" gain -n -3
cp "$tmp/over.wav" "$out/sounds/game_over.wav"

echo "make_assets: done"
