#!/usr/bin/env python3
"""Map readers: the GTM, GPX, KML and GeoJSON files of one conversion read back alike.

The sample survey and a generated one, with first-start defaults and with option variants, are
converted to GTM, GPX, KML and GeoJSON. Each GPX file must validate against the GPX 1.1 schema
(xmllint, no network); each KML file must be well-formed KML 2.2 with an "Access points" folder of
Point placemarks and, only when there are tracks, a "Tracks" folder of LineString placemarks; each
GeoJSON file must be strict UTF-8 JSON of a FeatureCollection, with positions of seven decimals
at most and a time or null per track position (with estimated waypoint positions too, which
extend each waypoint). Then gpsbabel, GDAL (GPX, LIBKML and GeoJSON
drivers), fastkml and Python's json module must find in the GPX, KML and GeoJSON files the
waypoints and tracks, point for point, that gpsbabel finds in the GTM file. An edited sample puts
an access point on the 180th meridian under a network name of markup, a CDATA end, a Windows-1252
letter and a control character, which every reader must take as such.

usage: map_readers.py CONVERT GENSURVEY SAMPLES
"""

import decimal
import html
import json
import os
import re
import subprocess
import sys
import tempfile
import warnings
import xml.etree.ElementTree as ET

SCHEMA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "gpx-1.1.xsd")
KML_ROOT = "{http://www.opengis.net/kml/2.2}kml"
FOLDERS = {"Access points": "Point", "Tracks": "LineString"}
# GDAL 3.6's ogrinfo has no -if: leaving out the plain KML driver makes LIBKML read the file.
LIBKML = ["--config", "GDAL_SKIP", "KML"]
VARIANTS = [[], ["--random-colors"], ["--no-tracks"], ["--position", "estimated"]]
ISO_TIME = re.compile(r"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ")


class Failure(Exception):
    pass


def run(*command):
    result = subprocess.run(command, capture_output=True)
    if result.returncode != 0:
        lines = result.stderr.decode(errors="replace").strip().splitlines()
        raise Failure(f"{os.path.basename(command[0])} exited with {result.returncode}: "
                      + " / ".join(lines[:3]))
    return result.stdout


def import_fastkml():
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")  # fastkml warns when it goes without lxml
        try:
            from fastkml import kml
        except ImportError:
            # Debian's python3-fastkml is pure Python: any Python 3 can use it.
            sys.path.append("/usr/lib/python3/dist-packages")
            from fastkml import kml
    return kml


# Every reader gives (waypoints, tracks): [(lon, lat), ...] and [[(lon, lat), ...], ...].

def gtm_exact(gtm):
    """The GTM file's doubles: gpsbabel's GeoJSON numbers are the shortest that read back."""
    features = json.loads(run("gpsbabel", "-i", "gtm", "-f", gtm, "-o", "geojson", "-F", "-"))
    shapes = [f["geometry"] for f in features["features"]]
    return ([tuple(s["coordinates"][:2]) for s in shapes if s["type"] == "Point"],
            [[tuple(c[:2]) for c in s["coordinates"]] for s in shapes
             if s["type"] == "LineString"])


def gpsbabel(kind, path):
    """What gpsbabel reads, as its GPX output prints it. That rounds to 9 decimals, so these are
    compared as text with gpsbabel's GPX output for the GTM file. Its KML reader makes a waypoint
    of each Point placemark and a track of each LineString placemark: no routes."""
    gpx = ET.fromstring(run("gpsbabel", "-i", kind, "-f", path, "-o", "gpx", "-F", "-"))
    ns = gpx.tag[:-len("gpx")]  # GPX 1.0, or 1.1 when it read GPX 1.1
    if gpx.find(ns + "rte") is not None:
        raise Failure(f"{len(gpx.findall(ns + 'rte'))} routes read")
    at = lambda p: (p.get("lon"), p.get("lat"))
    return ([at(w) for w in gpx.findall(ns + "wpt")],
            [[at(p) for p in t.iter(ns + "trkpt")] for t in gpx.findall(ns + "trk")])


def gdal_layers(path, driver, read=None, config=()):
    """Layer name to feature count, as ogrinfo reports them, and the geometries of the layers to
    READ (default all) as GeoJSON with 17 decimals: exact, where the default 17 significant
    digits drop a change in the last bit."""
    report = run("ogrinfo", *config, "-ro", "-al", "-so", path).decode(errors="replace")
    if f"using driver `{driver}'" not in report:
        raise Failure(f"not opened by GDAL's {driver} driver: {report[:200]!r}")
    names = [line[12:] for line in report.splitlines() if line.startswith("Layer name: ")]
    counts = dict(zip(names, [int(line[15:]) for line in report.splitlines()
                              if line.startswith("Feature Count: ")]))
    shapes = {layer: [f["geometry"] for f in json.loads(run(
        "ogr2ogr", *config, "-f", "GeoJSON", "-lco", "COORDINATE_PRECISION=17", "/vsistdout/",
        path, layer))["features"]] for layer in (read or counts)}
    if any(len(shapes[layer]) != counts.get(layer) for layer in shapes):
        raise Failure(f"feature counts {counts}, but read {[len(s) for s in shapes.values()]}")
    return counts, shapes


def gdal_gpx(path):
    counts, shapes = gdal_layers(path, "GPX", ["waypoints", "tracks"])
    # A track is a MultiLineString of its segments.
    tracks = [[tuple(c[:2]) for segment in g["coordinates"] for c in segment]
              for g in shapes["tracks"]]
    if counts["track_points"] != sum(map(len, tracks)):
        raise Failure(f"{counts['track_points']} track_points, {sum(map(len, tracks))} in tracks")
    return [tuple(g["coordinates"][:2]) for g in shapes["waypoints"]], tracks


def kml_contents(folders, with_tracks):
    """A KML reader's folders, name: [(geometry type, coordinates), ...], as waypoints, tracks."""
    wanted = list(FOLDERS)[:2 if with_tracks else 1]
    if list(folders) != wanted:
        raise Failure(f"folders {list(folders)}, expected {wanted}")
    for name, placemarks in folders.items():
        if any(kind != FOLDERS[name] for kind, _ in placemarks):
            raise Failure(f"{name}: {[kind for kind, _ in placemarks if kind != FOLDERS[name]][:3]}"
                          f" placemarks, expected {FOLDERS[name]}s only")
    return ([tuple(c[:2]) for _, c in folders["Access points"]],
            [[tuple(p[:2]) for p in c] for _, c in folders.get("Tracks", [])])


def gdal_libkml(path, with_tracks):
    _, shapes = gdal_layers(path, "LIBKML", config=LIBKML)
    return kml_contents({layer: [(g["type"], g["coordinates"]) for g in geometries]
                         for layer, geometries in shapes.items()}, with_tracks)


def fastkml_read(path, with_tracks, kml):
    top = kml.KML()
    with open(path, "rb") as f:
        top.from_string(f.read())
    documents = list(top.features())
    if [type(d).__name__ for d in documents] != ["Document"]:
        raise Failure(f"top-level {[type(d).__name__ for d in documents]}, expected a Document")
    geometry = lambda g: (g.geom_type, g.coords[0] if g.geom_type == "Point" else g.coords)
    return kml_contents({folder.name: [geometry(p.geometry) for p in folder.features()]
                         for folder in documents[0].features()}, with_tracks)


def gdal_geojson(path):
    counts, shapes = gdal_layers(path, "GeoJSON")
    if len(counts) != 1:
        raise Failure(f"layers {list(counts)}, expected one")
    geometries = next(iter(shapes.values()))
    return ([tuple(g["coordinates"]) for g in geometries if g["type"] == "Point"],
            [[tuple(c) for c in g["coordinates"]] for g in geometries if g["type"] == "LineString"])


def refuse(constant):
    raise Failure(f"{constant} is no JSON number")


def json_geojson(path):
    """Python's json module on the bytes as strict UTF-8, NaN and Infinity refused; positions are
    read as decimals to count their places."""
    with open(path, "rb") as f:
        top = json.loads(f.read().decode("utf-8"), parse_float=decimal.Decimal,
                         parse_constant=refuse)
    if top.get("type") != "FeatureCollection":
        raise Failure(f"top-level type {top.get('type')!r}")
    points, tracks = [], []
    for feature in top["features"]:
        properties, coordinates = feature["properties"], feature["geometry"]["coordinates"]
        line = feature["geometry"]["type"] == "LineString"
        positions = coordinates if line else [coordinates]
        if any(len(p) != 2 or any(isinstance(x, decimal.Decimal) and x.as_tuple().exponent < -7
                                  for x in p) for p in positions):
            raise Failure(f"{properties['name']}: a position not [lon, lat] of 7 decimals at most")
        times = properties["coordTimes"] if line else [properties.get("time")]
        if (line and len(times) != len(positions)) or any(
                t is not None and not ISO_TIME.fullmatch(t) for t in times):
            raise Failure(f"{properties['name']}: times {times[:3]} for {len(positions)} positions")
        as_float = [tuple(map(float, p)) for p in positions]
        if line:
            tracks.append(as_float)
        else:
            points.append(as_float[0])
    return points, tracks


def place(point):
    """A point as numbers, longitude 180 as -180: the same meridian, which GPX must write so."""
    lon, lat = map(float, point)
    return (-180.0 if lon == 180.0 else lon, lat)


def differences(expected, got):
    (want_points, want_tracks), (points, tracks) = expected, got
    out = [f"{have} {kind}, expected {want}" for kind, want, have in (
        ("waypoints", len(want_points), len(points)), ("tracks", len(want_tracks), len(tracks)),
        ("trackpoints", sum(map(len, want_tracks)), sum(map(len, tracks)))) if want != have]
    out += [f"waypoint {i} at {have}, expected {want}"
            for i, (want, have) in enumerate(zip(want_points, points), 1)
            if place(want) != place(have)]
    for i, (want, have) in enumerate(zip(want_tracks, tracks), 1):
        if len(want) != len(have):
            out.append(f"track {i}: {len(have)} points, expected {len(want)}")
        out += [f"track {i} point {j} at {h}, expected {w}"
                for j, (w, h) in enumerate(zip(want, have), 1) if place(w) != place(h)]
    return out


def check_case(convert, base, inputs, options, kml):
    paths = {kind: f"{base}.{kind}" for kind in ("gtm", "gpx", "kml", "geojson")}
    try:
        for path in paths.values():
            run(convert, "-q", *options, *inputs, "-o", path)
        exact, rounded = gtm_exact(paths["gtm"]), gpsbabel("gtm", paths["gtm"])
    except Failure as failure:
        return [str(failure)]
    with_tracks = "--no-tracks" not in options
    if not exact[0] or bool(exact[1]) != with_tracks:
        return [f"the GTM file holds {len(exact[0])} waypoints and {len(exact[1])} tracks"]
    lint = subprocess.run(["xmllint", "--nonet", "--noout", "--schema", SCHEMA, paths["gpx"]],
                          capture_output=True, text=True, errors="replace")
    problems = [f"GPX schema: {line}" for line in lint.stderr.splitlines()[:5] if lint.returncode]
    try:  # fastkml takes any namespace and the other readers any root
        root = ET.parse(paths["kml"]).getroot().tag
        problems += [f"KML root element {root}, expected {KML_ROOT}"] if root != KML_ROOT else []
    except ET.ParseError as error:
        problems.append(f"KML not well-formed: {error}")
    for label, expected, read in (
            ("gpsbabel GPX", rounded, lambda: gpsbabel("gpx", paths["gpx"])),
            ("gpsbabel KML", rounded, lambda: gpsbabel("kml", paths["kml"])),
            ("GDAL GPX", exact, lambda: gdal_gpx(paths["gpx"])),
            ("GDAL LIBKML", exact, lambda: gdal_libkml(paths["kml"], with_tracks)),
            ("fastkml", exact, lambda: fastkml_read(paths["kml"], with_tracks, kml)),
            ("GDAL GeoJSON", exact, lambda: gdal_geojson(paths["geojson"])),
            ("json GeoJSON", exact, lambda: json_geojson(paths["geojson"]))):
        try:
            problems += [f"{label}: {d}" for d in differences(expected, read())]
        except Failure as failure:
            problems.append(f"{label}: {failure}")
        except Exception as error:  # a reader that breaks on the file, e.g. an XML parse error
            problems.append(f"{label}: {type(error).__name__}: {error}")
    return problems


EDGE_LINE = b"N 47.3765130\tE 8.5422280\t( Sunrise_2G )"
EDGE_NAME = "Caf\u00e9 <&> ]]> \ufffd"  # from "Caf\xe9 <&> ]]> \x01" in the export
EDGE_JSON_NAME = "Caf\u00e9 <&> ]]> \x01"  # JSON can hold the control character


def edge_summary(samples, work):
    """The sample summary with its first access point moved to longitude 180 and renamed."""
    with open(os.path.join(samples, "summary.txt"), "rb") as f:
        summary = f.read()
    if EDGE_LINE not in summary:
        raise Failure("the sample's first access point line has changed")
    path = os.path.join(work, "edge-summary.txt")
    with open(path, "wb") as f:
        f.write(summary.replace(EDGE_LINE,
                                b"N 47.3765130\tE 180.0000000\t( Caf\xe9 <&> ]]> \x01 )"))
    return path


def edge_problems(base, kml):
    """The renamed access point, as the GPX and KML files name and place it. The KML description
    is HTML, so the name in it is escaped once more."""
    gpx_ns = "{http://www.topografix.com/GPX/1/1}"
    wpt = next(w for w in ET.parse(base + ".gpx").getroot().iter(gpx_ns + "wpt")
               if w.findtext(gpx_ns + "name") == "bc5280")
    found = [("GPX lon", wpt.get("lon"), "-180"),
             ("GPX cmt", wpt.findtext(gpx_ns + "cmt"), EDGE_NAME)]
    top = kml.KML()
    with open(base + ".kml", "rb") as f:
        top.from_string(f.read())
    points = next(next(top.features()).features()).features()
    placemark = next(p for p in points if p.name == "bc5280")
    described = f"<td>{EDGE_NAME}</td>" in html.unescape(placemark.description)
    found += [("KML lon", placemark.geometry.x, 180.0), ("KML network", described, True)]
    with open(base + ".geojson", "rb") as f:
        feature = next(f for f in json.load(f)["features"] if f["properties"]["name"] == "bc5280")
    found += [("GeoJSON lon", feature["geometry"]["coordinates"][0], 180),
              ("GeoJSON network", feature["properties"]["network"], EDGE_JSON_NAME)]
    return [f"{label}: {have!r}, expected {want!r}" for label, have, want in found if have != want]


def report(case, problems):
    """Prints the case's verdict and its first problems; true when it has any."""
    print(f"[{case}] " + ("ok" if not problems else f"{len(problems)} problem(s):"))
    for problem in problems[:25]:
        print(f"  {problem}")
    return bool(problems)


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    convert, gensurvey, samples = sys.argv[1:]
    try:
        kml = import_fastkml()
    except ImportError:
        print("fastkml is missing: scripts/install-deps installs python3-fastkml")
        return 1
    failed = False
    with tempfile.TemporaryDirectory(prefix="wavemark-maps-") as work:
        generated = os.path.join(work, "survey")
        subprocess.run([gensurvey, "--aps", "300", "--readings", "30000", "--seed", "5",
                        "-o", generated], check=True)
        surveys = [("sample", os.path.join(samples, "summary.txt"),
                    os.path.join(samples, "text.txt")),
                   ("generated", generated + "-summary.txt", generated + "-text.txt")]
        for name, summary, text in surveys:
            for number, options in enumerate(VARIANTS):
                inputs = [summary] if "--no-tracks" in options else [summary, text]
                problems = check_case(convert, os.path.join(work, f"{name}{number}"), inputs,
                                      options, kml)
                failed |= report(" ".join([name, *options]), problems)
        edge = os.path.join(work, "edge")
        problems = check_case(convert, edge, [edge_summary(samples, work), surveys[0][2]], [], kml)
        failed |= report("edge", problems or edge_problems(edge, kml))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
