#!/usr/bin/env python3
"""Builds the geometry of the five compiled-in models and writes them as C++
static tables: models/data/Model{A,B1,B2,C,D}.cpp.

Each mesh is made from a simple solid (a lathe, an extruded outline, a fan),
placed around the model's axis, then scaled and moved so that its
axis-aligned bounds are exactly the listed ones. Normals are computed from the
final triangles (smoothed across edges flatter than SMOOTH_DEGREES), and the
triangles of every closed solid are wound counter-clockwise seen from outside.

Usage: tools/generate_models.py [OUTPUT_DIR]   (default: models/data next to
this tool's repository). Prints the vertex and face count of every mesh.
"""

import math
import os
import sys

SMOOTH_DEGREES = 35.0

# ---------------------------------------------------------------- vectors


def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def length(a):
    return math.sqrt(dot(a, a))


def unit(a):
    n = length(a)
    return (a[0] / n, a[1] / n, a[2] / n)


def face_normal(tri):
    return cross(sub(tri[1], tri[0]), sub(tri[2], tri[0]))


# ---------------------------------------------------------------- solids
# A solid is a list of triangles, each a tuple of three (x, y, z) points.


def lathe(profile, segments, loop=False):
    """Turns a profile of (radius, y) points about the y axis. Points with
    radius 0 sit on the axis. With loop=True the profile is a closed outline
    (a ring)."""
    rings = []
    for r, y in profile:
        ring = []
        for i in range(segments):
            a = 2.0 * math.pi * i / segments
            ring.append((r * math.cos(a), y, r * math.sin(a)))
        rings.append(ring)
    pairs = list(range(len(profile) - 1))
    if loop:
        pairs.append(len(profile) - 1)
    tris = []
    for j in pairs:
        lower, upper = rings[j], rings[(j + 1) % len(rings)]
        for i in range(segments):
            k = (i + 1) % segments
            quad = (lower[i], lower[k], upper[k], upper[i])
            for tri in ((quad[0], quad[1], quad[2]), (quad[0], quad[2], quad[3])):
                if length(face_normal(tri)) > 1e-9:
                    tris.append(tri)
    return tris


def fan(radius, segments, y):
    """A flat disc in the plane at height y, centre plus rim."""
    centre = (0.0, y, 0.0)
    rim = [(radius * math.cos(2 * math.pi * i / segments), y, radius * math.sin(2 * math.pi * i / segments))
           for i in range(segments)]
    return [(centre, rim[i], rim[(i + 1) % segments]) for i in range(segments)]


def extrude(outline, half_thickness):
    """A plate: a convex outline of (u, v) points in the x-y plane, thickened
    along z by half_thickness(u) on either side."""
    front = [(u, v, half_thickness(u)) for u, v in outline]
    back = [(u, v, -half_thickness(u)) for u, v in outline]
    n = len(outline)
    tris = []
    for i in range(1, n - 1):
        tris.append((front[0], front[i], front[i + 1]))
        tris.append((back[0], back[i + 1], back[i]))
    for i in range(n):
        k = (i + 1) % n
        tris.append((front[i], back[i], back[k]))
        tris.append((front[i], back[k], front[k]))
    return tris


def lerp(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def blade(root, tip, half_thickness, spans, chords):
    """A rounded blade in the x-y plane: root = ((u, v) bottom, (u, v) top),
    tip likewise; between them the blade is spans x chords cells on each
    side, thickened along z to a lens that is thickest mid-chord
    (half_thickness(s) at span fraction s) and closed by root and tip caps."""
    front, back = [], []
    for i in range(spans + 1):
        s = i / spans
        bottom, top = lerp(root[0], tip[0], s), lerp(root[1], tip[1], s)
        row_front, row_back = [], []
        for j in range(chords + 1):
            t = j / chords
            u, v = lerp(bottom, top, t)
            h = half_thickness(s) * math.sin(math.pi * t) ** 0.6
            row_front.append((u, v, h))
            row_back.append((u, v, -h))
        front.append(row_front)
        back.append(row_back)
    tris = []
    for i in range(spans):
        for j in range(chords):
            tris.append((front[i][j], front[i + 1][j], front[i + 1][j + 1]))
            tris.append((front[i][j], front[i + 1][j + 1], front[i][j + 1]))
            tris.append((back[i][j], back[i + 1][j + 1], back[i + 1][j]))
            tris.append((back[i][j], back[i][j + 1], back[i + 1][j + 1]))
    middle = lerp(lerp(root[0], root[1], 0.5), lerp(tip[0], tip[1], 0.5), 0.5)
    for i, end in ((0, root), (spans, tip)):
        ring = front[i] + back[i][chords - 1:0:-1]
        centre_uv = lerp(end[0], end[1], 0.5)
        centre = (centre_uv[0], centre_uv[1], 0.0)
        cap = [(centre, ring[k], ring[(k + 1) % len(ring)]) for k in range(len(ring))]
        away = (centre_uv[0] - middle[0], centre_uv[1] - middle[1], 0.0)
        tris += facing([t for t in cap if length(face_normal(t)) > 1e-12], away)
    return tris


def signed_volume(tris):
    return sum(dot(t[0], cross(t[1], t[2])) for t in tris) / 6.0


def outward(tris):
    """Winds a closed solid counter-clockwise seen from outside."""
    if signed_volume(tris) < 0:
        return [(t[0], t[2], t[1]) for t in tris]
    return tris


def facing(tris, direction):
    """Winds an open sheet so that its front faces `direction`."""
    return [t if dot(face_normal(t), direction) >= 0 else (t[0], t[2], t[1]) for t in tris]


def transform(tris, f):
    return [tuple(f(p) for p in t) for t in tris]


def turn_about_y(degrees, radius=0.0):
    """Moves local +x to the direction `degrees` (from +x towards +z),
    after pushing the solid out by `radius` along local +x."""
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)

    def f(p):
        x = p[0] + radius
        return (x * c - p[2] * s, p[1], x * s + p[2] * c)
    return f


def fit_bounds(tris, bounds):
    """Scales and moves the solid along each axis so that its bounds are
    exactly bounds = ((x0, x1), (y0, y1), (z0, z1)). Scales stay positive, so
    the winding is kept."""
    points = [p for t in tris for p in t]
    lo = [min(p[i] for p in points) for i in range(3)]
    hi = [max(p[i] for p in points) for i in range(3)]
    maps = []
    for i in range(3):
        t0, t1 = bounds[i]
        if hi[i] - lo[i] < 1e-9:
            maps.append((0.0, (t0 + t1) / 2.0))
        else:
            scale = (t1 - t0) / (hi[i] - lo[i])
            maps.append((scale, t0 - lo[i] * scale))
    return transform(tris, lambda p: tuple(p[i] * maps[i][0] + maps[i][1] for i in range(3)))


# ---------------------------------------------------------------- meshes


class MeshData:
    def __init__(self, vertices, normals, indices):
        self.vertices = vertices  # list of (x, y, z)
        self.normals = normals    # list of (x, y, z), unit
        self.indices = indices    # list of (a, b, c)


def build_mesh(tris):
    """Welds the triangles into indexed vertices with smoothed normals."""
    def key(p):
        return (round(p[0], 5), round(p[1], 5), round(p[2], 5))

    normals = [face_normal(t) for t in tris]  # area-weighted
    units = [unit(n) for n in normals]
    around = {}
    for f, t in enumerate(tris):
        for p in t:
            around.setdefault(key(p), []).append(f)
    cos_limit = math.cos(math.radians(SMOOTH_DEGREES))

    vertices, vertex_normals, index_of, indices = [], [], {}, []
    for f, t in enumerate(tris):
        corners = []
        for p in t:
            total = (0.0, 0.0, 0.0)
            for g in around[key(p)]:
                if dot(units[g], units[f]) >= cos_limit:
                    total = (total[0] + normals[g][0], total[1] + normals[g][1], total[2] + normals[g][2])
            n = unit(total)
            vkey = (key(p), round(n[0], 4), round(n[1], 4), round(n[2], 4))
            if vkey not in index_of:
                index_of[vkey] = len(vertices)
                vertices.append(p)
                vertex_normals.append(n)
            corners.append(index_of[vkey])
        indices.append(tuple(corners))
    assert len(vertices) <= 32768
    return MeshData(vertices, vertex_normals, indices)


def placed(tris, bounds, sheet_facing=None):
    tris = facing(tris, sheet_facing) if sheet_facing else outward(tris)
    return build_mesh(fit_bounds(tris, bounds))


def arc(r0, y0, r1, y1, steps, bulge=1.0):
    """Profile points along a quarter ellipse from (r0, y0) to (r1, y1)."""
    points = []
    for i in range(steps + 1):
        t = (math.pi / 2.0) * i / steps
        points.append((r1 + (r0 - r1) * math.cos(t) ** bulge, y0 + (y1 - y0) * math.sin(t)))
    return points


# Model A: a shaft with a cap, two discs at its foot and four pairs of fins.

def fin_low():
    return blade(((0.92, -11.06), (0.92, -9.13)), ((3.20, -11.06), (3.20, -10.30)), lambda s: 0.20, 4, 6)


def fin_high():
    return blade(((1.01, -9.60), (1.01, -6.12)), ((3.24, -10.08), (3.24, -8.30)),
                 lambda s: 0.21 - 0.08 * s, 8, 11)


def model_a_geometry(bounds):
    shaft = lathe([(0.0, -11.0), (1.10, -11.0), (1.45, -10.4), (1.65, -9.0), (1.65, -6.0), (1.65, -3.5),
                   (1.62, -1.0), (1.50, 0.6), (1.38, 1.6), (1.30, 2.32), (0.0, 2.32)], 24)
    cap = lathe([(0.0, 2.32)] + arc(1.55, 2.32, 0.0, 5.0, 5, bulge=1.5), 24)
    disc = lathe([(0.0, -11.25), (0.60, -11.25), (0.60, -11.0), (0.0, -11.0)], 16)
    ring = lathe([(0.60, -11.25), (0.92, -11.25), (1.0, -11.17), (1.0, -11.0), (0.60, -11.0)], 16, loop=True)
    solids = [disc, ring]
    for angle in (180.0, 90.0, 0.0, 270.0):
        solids.append(transform(fin_low(), turn_about_y(angle)))
        solids.append(transform(fin_high(), turn_about_y(angle)))
    solids += [shaft, cap]
    return [placed(s, b) for s, b in zip(solids, bounds)]


# Model B1: a rounded body. Model B2: a flat round sheet.

def model_b1_geometry(bounds):
    body = lathe([(4.0 * math.cos(t), 3.0 * math.sin(t))
                  for t in (math.pi * (i / 13.0 - 0.5) for i in range(14))], 16)
    return [None, placed(body, bounds[1])]


def model_b2_geometry(bounds):
    return [placed(fan(8.0, 32, 0.02), bounds[0], sheet_facing=(0.0, 1.0, 0.0)), None]


# Model C: a tall body on a base plate, with three vanes and three pods.

def vane():
    return blade(((2.51, -9.30), (2.51, -5.05)), ((9.75, -14.10), (9.75, -10.60)), lambda s: 1.0 - 0.65 * s, 8, 10)


def pod():
    profile = [(0.0, -17.21)] + [(1.49 * math.sin(t), -15.70 - 1.51 * math.cos(t))
                                 for t in (math.pi / 2 * i / 4 for i in range(1, 5))]
    profile += [(1.49, -11.5), (1.20, -8.6), (0.0, -6.21)]
    return lathe(profile, 16)


def model_c_geometry(bounds):
    body = lathe([(0.0, -10.6), (2.60, -11.0), (3.60, -9.5), (4.23, -7.0), (4.23, 1.0), (3.20, 7.0),
                  (1.6, 13.0), (0.0, 17.0)], 16)
    plate = fan(3.0, 48, -11.0)
    meshes = [placed(body, bounds[0]), placed(plate, bounds[1], sheet_facing=(0.0, -1.0, 0.0))]
    for k, angle in enumerate((90.0, 330.0, 210.0)):
        meshes.append(placed(transform(vane(), turn_about_y(angle)), bounds[2 + k]))
    for k, angle in enumerate((210.0, 90.0, 330.0)):
        meshes.append(placed(transform(pod(), turn_about_y(angle, 10.45)), bounds[5 + k]))
    meshes.append(None)
    return meshes


# Model D: a wide flat disc between two shells, two hubs, six pairs of lamps.

def lamp_lens():
    dome = lathe([(0.0, 0.0), (1.0, 0.0), (0.6, 0.8), (0.0, 1.0)], 6)
    # The dome points inwards (local -x) from the housing's inner face.
    return transform(dome, lambda p: (15.0 - 0.84 * p[1], 3.115 + 0.345 * p[0], 0.95 * p[2]))


def lamp_housing():
    outline = [(15.0, 2.51), (16.0, 2.51), (16.0, 3.10), (15.85, 3.36), (15.60, 3.46), (15.0, 3.46)]
    return extrude(outline, lambda u: 0.95)


def model_d_geometry(bounds):
    rings = [4.0 * k for k in range(1, 6)]
    layer = lathe([(0.0, -0.10)] + [(r, -0.10) for r in rings] + [(21.5, -0.10), (21.89, -0.04), (21.89, 0.05),
                                                                  (21.5, 0.11)] + [(r, 0.11) for r in reversed(rings)]
                  + [(0.0, 0.11)], 32)
    lower_hub = lathe([(0.0, -5.19), (3.0, -5.05), (5.5, -4.60), (7.0, -3.70), (0.0, -3.70)], 24)
    upper_hub = lathe([(0.0, 4.34)] + arc(5.76, 4.34, 0.0, 7.93, 3), 12)
    upper_shell = lathe([(0.0, 0.08), (21.73, 0.08), (20.5, 0.90), (17.0, 2.20), (13.0, 3.20), (8.0, 4.30),
                         (5.5, 4.65), (0.0, 4.65)], 32)
    lower_shell = lathe([(0.0, -3.71), (7.5, -3.71), (13.0, -3.0), (18.0, -1.8), (21.0, -0.60), (21.74, -0.07),
                         (0.0, -0.07)], 32)
    solids = [layer, lower_hub, upper_hub, upper_shell, lower_shell]
    for angle in (180.0, 225.0, 270.0, 0.0, 45.0, 90.0):
        solids.append(transform(lamp_lens(), turn_about_y(angle)))
        solids.append(transform(lamp_housing(), turn_about_y(angle)))
    return [placed(s, b) for s, b in zip(solids, bounds)]


# ---------------------------------------------------------------- tables
# Per mesh: (name, listed vertices, listed faces, hidden, byte 272, bounds).
# Per material: (colour, specular, transparency). Shininess and the ambient
# flag are 0 everywhere in the stored data.

W = (1.0, 1.0, 1.0, 0.0)


def mesh_rows(rows):
    out = []
    for name, vertices, faces, hidden, spare, bounds in rows:
        out.append(dict(name=name, vertices=vertices, faces=faces, hidden=hidden, spare=spare, bounds=bounds))
    return out


def B(x0, x1, y0, y1, z0, z1):
    return ((x0, x1), (y0, y1), (z0, z1))


MODELS = [
    dict(symbol="modelA", file="ModelA.cpp", title="A: shaft with cap, foot discs and four fin pairs",
         geometry=model_a_geometry,
         meshes=mesh_rows([
             ("Obj_000001", 34, 16, 0, 0, B(-0.60, 0.60, -11.25, -11.00, -0.60, 0.60)),
             ("Obj_000002", 51, 64, 0, 0, B(-1.00, 1.00, -11.25, -11.00, -1.00, 1.00)),
             ("Obj_000003", 68, 114, 0, 1, B(-3.20, -0.92, -11.06, -9.13, -0.20, 0.20)),
             ("Obj_000004", 199, 372, 0, 1, B(-3.24, -1.01, -10.08, -6.12, -0.21, 0.21)),
             ("Obj_000005", 68, 114, 0, 1, B(-0.18, 0.23, -11.06, -9.13, 0.92, 3.20)),
             ("Obj_000006", 199, 372, 0, 1, B(-0.18, 0.24, -10.08, -6.12, 1.01, 3.24)),
             ("Obj_000007", 68, 114, 0, 1, B(0.92, 3.20, -11.06, -9.13, -0.23, 0.18)),
             ("Obj_000008", 199, 372, 0, 1, B(1.01, 3.24, -10.08, -6.12, -0.24, 0.18)),
             ("Obj_000009", 68, 114, 0, 1, B(-0.23, 0.18, -11.06, -9.13, -3.20, -0.92)),
             ("Obj_000010", 199, 372, 0, 1, B(-0.24, 0.18, -10.08, -6.12, -3.24, -1.01)),
             ("Obj_000011", 241, 420, 0, 0, B(-1.65, 1.65, -11.00, 2.32, -1.65, 1.65)),
             ("Obj_000012", 165, 224, 0, 0, B(-1.55, 1.55, 2.32, 5.00, -1.55, 1.55)),
         ]),
         materials=[
             ((247, 247, 141), W, 0.0),
             ((194, 184, 173), (0.760784, 0.721569, 0.678431, 0.0), 0.0),
             ((0, 0, 191), (0.901961, 0.901961, 0.901961, 0.0), 0.0),
             ((0, 255, 255), (0.0, 1.0, 1.0, 0.0), 0.0),
             ((0, 0, 191), (0.901961, 0.901961, 0.901961, 0.0), 0.0),
             ((0, 255, 255), (0.0, 1.0, 1.0, 0.0), 0.0),
             ((0, 0, 191), (0.901961, 0.901961, 0.901961, 0.0), 0.0),
             ((0, 255, 255), (0.0, 1.0, 1.0, 0.0), 0.0),
             ((0, 0, 191), (0.901961, 0.901961, 0.901961, 0.0), 0.0),
             ((0, 255, 255), (0.0, 1.0, 1.0, 0.0), 0.0),
             ((255, 255, 255), W, 0.0),
             ((255, 0, 0), W, 0.0),
         ]),
    dict(symbol="modelB1", file="ModelB1.cpp", title="B1: the passer's translucent body",
         geometry=model_b1_geometry,
         meshes=mesh_rows([
             ("", 0, 0, 1, 0, None),
             ("Obj_000002", 233, 384, 0, 0, B(-4.00, 4.00, -3.00, 3.00, -4.00, 4.00)),
         ]),
         materials=[((14, 219, 37), W, 0.8), ((63, 249, 174), W, 0.2)]),
    dict(symbol="modelB2", file="ModelB2.cpp", title="B2: the passer's swinging sheet",
         geometry=model_b2_geometry,
         meshes=mesh_rows([
             ("Obj_000001", 34, 32, 0, 0, B(-8.11, 7.89, 0.02, 0.02, -8.00, 8.00)),
             ("", 0, 0, 1, 0, None),
         ]),
         materials=[((14, 219, 37), W, 0.8), ((63, 249, 174), W, 0.2)]),
    dict(symbol="modelC", file="ModelC.cpp", title="C: mast body on a base plate, three vanes, three pods",
         geometry=model_c_geometry,
         meshes=mesh_rows([
             ("Obj_000001", 119, 176, 0, 0, B(-4.23, 4.23, -11.00, 17.00, -4.23, 4.23)),
             ("Obj_000002", 51, 48, 0, 0, B(-3.00, 3.00, -11.00, -11.00, -3.00, 3.00)),
             ("Obj_000003", 206, 360, 0, 1, B(-0.99, 1.00, -14.10, -5.05, 2.51, 9.75)),
             ("Obj_000004", 206, 360, 0, 1, B(1.96, 8.61, -14.10, -5.05, -5.28, -0.60)),
             ("Obj_000005", 206, 360, 0, 1, B(-8.58, -1.95, -14.10, -5.05, -5.32, -0.61)),
             ("Obj_000006", 136, 192, 0, 0, B(-10.51, -7.55, -17.21, -6.21, -6.73, -3.76)),
             ("Obj_000007", 136, 192, 0, 0, B(-1.49, 1.49, -17.21, -6.21, 8.95, 11.94)),
             ("Obj_000008", 136, 192, 0, 0, B(7.58, 10.54, -17.21, -6.21, -6.67, -3.71)),
             ("", 0, 0, 1, 0, None),
         ]),
         materials=[
             ((202, 108, 108), (1.0, 0.0, 0.0, 0.0), 0.0),
             ((202, 108, 108), (1.0, 0.0, 0.0, 0.0), 0.0),
             ((101, 101, 170), (0.396078, 0.396078, 0.666667, 0.0), 0.0),
             ((101, 101, 170), (0.396078, 0.396078, 0.666667, 0.0), 0.0),
             ((101, 101, 170), (0.396078, 0.396078, 0.666667, 0.0), 0.0),
             ((255, 0, 0), W, 0.0),
             ((255, 0, 0), W, 0.0),
             ((255, 0, 0), (1.0, 0.0, 0.0, 0.0), 0.0),
             ((255, 255, 255), W, 0.0),
         ]),
    dict(symbol="modelD", file="ModelD.cpp", title="D: wide disc between two shells, hubs and six lamp pairs",
         geometry=model_d_geometry,
         meshes=mesh_rows([
             ("Obj_000001", 816, 810, 0, 0, B(-21.89, 21.89, -0.10, 0.11, -21.89, 21.89)),
             ("Obj_000002", 137, 130, 0, 0, B(-7.00, 7.00, -5.19, -3.70, -7.00, 7.00)),
             ("Obj_000003", 25, 32, 0, 0, B(-5.76, 5.76, 4.34, 7.93, -5.76, 5.76)),
             ("Obj_000004", 172, 282, 0, 0, B(-21.73, 21.73, 0.08, 4.65, -21.73, 21.73)),
             ("Obj_000005", 146, 248, 0, 0, B(-21.74, 21.74, -3.71, -0.07, -21.74, 21.74)),
             ("Obj_000006", 13, 14, 0, 0, B(-15.00, -14.16, 2.77, 3.46, -0.95, 0.95)),
             ("Obj_000007", 21, 28, 0, 0, B(-16.00, -15.00, 2.51, 3.46, -0.95, 0.95)),
             ("Obj_000008", 13, 14, 0, 0, B(-11.28, -9.73, 2.77, 3.46, -11.28, -9.73)),
             ("Obj_000009", 21, 28, 0, 0, B(-11.59, -9.93, 2.51, 3.46, -11.59, -9.93)),
             ("Obj_000010", 13, 14, 0, 0, B(-0.95, 0.95, 2.77, 3.46, -15.00, -14.16)),
             ("Obj_000011", 21, 28, 0, 0, B(-0.95, 0.95, 2.51, 3.46, -16.00, -15.00)),
             ("Obj_000012", 13, 14, 0, 0, B(14.16, 15.00, 2.77, 3.46, -0.95, 0.95)),
             ("Obj_000013", 21, 28, 0, 0, B(15.00, 16.00, 2.51, 3.46, -0.95, 0.95)),
             ("Obj_000014", 13, 14, 0, 0, B(9.73, 11.28, 2.77, 3.46, 9.73, 11.28)),
             ("Obj_000015", 21, 28, 0, 0, B(9.93, 11.59, 2.51, 3.46, 9.93, 11.59)),
             ("Obj_000016", 13, 14, 0, 0, B(-0.95, 0.95, 2.77, 3.46, 14.16, 15.00)),
             ("Obj_000017", 21, 28, 0, 0, B(-0.95, 0.95, 2.51, 3.46, 15.00, 16.00)),
         ]),
         materials=[
             ((255, 0, 0), W, 0.0),
             ((213, 255, 255), W, 0.8),
             ((233, 214, 229), W, 0.69),
             ((230, 230, 230), (0.745098, 0.745098, 0.745098, 0.0), 0.0),
             ((230, 230, 230), (0.745098, 0.745098, 0.745098, 0.0), 0.0),
         ] + [((255, 170, 170), W, 0.5)] * 6 + [((192, 255, 170), W, 0.5)] * 6),
]

# ---------------------------------------------------------------- output


def fmt(value):
    if abs(value) < 1e-6:
        value = 0.0
    text = "%.7g" % value
    if text in ("-0", "-0.0"):
        text = "0"
    if "." not in text and "e" not in text:
        text += ".0"
    return text + "f"


def float_rows(points, per_line=3):
    lines = []
    for i in range(0, len(points), per_line):
        lines.append("    " + ", ".join(", ".join(fmt(c) for c in p) for p in points[i:i + per_line]) + ",")
    return "\n".join(lines)


def index_rows(faces, per_line=6):
    lines = []
    for i in range(0, len(faces), per_line):
        lines.append("    " + ", ".join("%d, %d, %d" % f for f in faces[i:i + per_line]) + ",")
    return "\n".join(lines)


def write_model(model, out_dir, report):
    geometry = model["geometry"]([m["bounds"] for m in model["meshes"]])
    lines = [
        "// Model " + model["title"] + ".",
        "// Written by tools/generate_models.py: change the generator and run it again.",
        "#include <cstdint>",
        "",
        '#include "models/data/EmbeddedModels.h"',
        "",
        "namespace {",
        "",
    ]
    for k, data in enumerate(geometry):
        if data is None:
            continue
        lines += ["const float kMesh%dVertices[] = {" % k, float_rows(data.vertices), "};", ""]
        lines += ["const float kMesh%dNormals[] = {" % k, float_rows(data.normals), "};", ""]
        lines += ["const std::int16_t kMesh%dIndices[] = {" % k, index_rows(data.indices), "};", ""]

    lines.append("Material materials[] = {")
    for k, (color, specular, transparency) in enumerate(model["materials"]):
        lines.append('    {"mat%d", "", {%d, %d, %d}, {0, 0, 0}, {%s}, {}, 0.0f, %s, 0, {0, 0, 0}, %d, {}},'
                     % (k, color[0], color[1], color[2], ", ".join(fmt(s) for s in specular), fmt(transparency), k))
    lines += ["};", "", "Mesh meshes[] = {"]
    for k, (row, data) in enumerate(zip(model["meshes"], geometry)):
        if data is None:
            # A placeholder: no faces, arrays of the neighbouring mesh.
            other = k + 1 if k + 1 < len(geometry) and geometry[k + 1] is not None else k - 1
            arrays = "kMesh%dVertices, kMesh%dNormals, nullptr, kMesh%dIndices" % (other, other, other)
            counts = (0, 0)
        else:
            arrays = "kMesh%dVertices, kMesh%dNormals, nullptr, kMesh%dIndices" % (k, k, k)
            counts = (len(data.vertices), len(data.indices))
        lines.append('    {%d, %d, 0, %d, 0, "%s", %d, %d, {0, 0}, %s},'
                     % (counts[0], counts[1], k, row["name"], row["spare"], row["hidden"], arrays))
        report.append((model["symbol"], k, counts[0], counts[1], row["vertices"], row["faces"]))
    lines += ["};", "", "}  // namespace", ""]
    lines.append("ModelDescriptor %s = {%d, %d, materials, meshes};"
                 % (model["symbol"], len(model["meshes"]), len(model["materials"])))
    with open(os.path.join(out_dir, model["file"]), "w") as out:
        out.write("\n".join(lines) + "\n")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "models", "data")
    report = []
    for model in MODELS:
        write_model(model, out_dir, report)
    print("%-8s %4s %9s %9s %7s %7s" % ("model", "mesh", "vertices", "(listed)", "faces", "(listed)"))
    for symbol, k, v, f, lv, lf in report:
        print("%-8s %4d %9d %9d %7d %7d" % (symbol, k, v, lv, f, lf))


if __name__ == "__main__":
    main()
