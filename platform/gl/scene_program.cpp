#include "platform/gl/scene_program.h"

#include <string>

namespace gl {
namespace {

// Clip space: x and y scaled so that x/z and y/z land where the software rasterizer puts them,
// w = z, and depth running from the front plane (−1) to the back plane (+1).
constexpr const char* kVertexBody = R"(
layout(location = 0) in vec3 a_position;
layout(location = 1) in vec3 a_colour;
uniform vec2 u_scale;
uniform vec2 u_depth;
void main() {
    gl_Position = vec4(a_position.xy * u_scale, a_position.z * u_depth.x + u_depth.y, a_position.z);
    SetColour(clamp(a_colour, 0.0, 1.0) * 255.0);
}
)";

// The 8-bit level floored as the software device floors it (with its small bias), then its top
// bits for a narrower channel: the target stores exactly the value the software device shows.
constexpr const char* kFragmentBody = R"(
uniform vec3 u_step;
uniform vec3 u_levels;
out vec4 o_colour;
void main() {
    vec3 level = min(floor(Colour() + 1.0 / 1024.0), 255.0);
    o_colour = vec4(floor(level / u_step) / u_levels, 1.0);
}
)";

// Desktop GL interpolates without perspective when asked. GLSL ES cannot: the colour is sent
// multiplied by w and divided again by the interpolated w (1 / gl_FragCoord.w), which is linear
// in screen space too.
constexpr const char* kDesktopVertexHead =
    "#version 330 core\nnoperspective out vec3 v_colour;\nvoid SetColour(vec3 c) { v_colour = c; }\n";
constexpr const char* kDesktopFragmentHead =
    "#version 330 core\nnoperspective in vec3 v_colour;\nvec3 Colour() { return v_colour; }\n";
constexpr const char* kEsVertexHead =
    "#version 300 es\nprecision highp float;\nout vec3 v_colourW;\n"
    "void SetColour(vec3 c) { v_colourW = c * gl_Position.w; }\n";
constexpr const char* kEsFragmentHead =
    "#version 300 es\nprecision highp float;\nin vec3 v_colourW;\n"
    "vec3 Colour() { return v_colourW * gl_FragCoord.w; }\n";

GLuint Compile(GLenum kind, const char* head, const char* body) {
    const GLuint shader = glCreateShader(kind);
    if (!shader) return 0;
    const char* parts[] = {head, body};
    glShaderSource(shader, 2, parts, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

int Clamped(int bits) { return bits < 1 ? 1 : bits > 8 ? 8 : bits; }

} // namespace

float ChannelValue(unsigned byte, int bits) {
    const int b = Clamped(bits);
    return static_cast<float>(byte >> (8 - b)) / static_cast<float>((1 << b) - 1);
}

SceneProgram::~SceneProgram() {
    if (m_program) glDeleteProgram(m_program);
}

bool SceneProgram::Build(bool es) {
    const GLuint vertex = Compile(GL_VERTEX_SHADER, es ? kEsVertexHead : kDesktopVertexHead, kVertexBody);
    const GLuint fragment =
        Compile(GL_FRAGMENT_SHADER, es ? kEsFragmentHead : kDesktopFragmentHead, kFragmentBody);
    GLuint program = vertex && fragment ? glCreateProgram() : 0;
    if (program) {
        glAttachShader(program, vertex);
        glAttachShader(program, fragment);
        glLinkProgram(program);
        GLint ok = GL_FALSE;
        glGetProgramiv(program, GL_LINK_STATUS, &ok);
        if (ok != GL_TRUE) {
            glDeleteProgram(program);
            program = 0;
        }
    }
    if (vertex) glDeleteShader(vertex);
    if (fragment) glDeleteShader(fragment);
    if (!program) return false;
    m_program = program;
    m_scale = glGetUniformLocation(program, "u_scale");
    m_depth = glGetUniformLocation(program, "u_depth");
    m_step = glGetUniformLocation(program, "u_step");
    m_levels = glGetUniformLocation(program, "u_levels");
    return true;
}

void SceneProgram::Use(const swr::Projection& p, ChannelBits bits) const {
    glUseProgram(m_program);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS); // of two surfaces at one depth the first drawn stays
    glDepthMask(GL_TRUE);
    // Front faces are those that wind clockwise on the screen, as on the software device.
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CW);
    glDisable(GL_DITHER);
    glDisable(GL_BLEND);
    // The software rasterizer's pixels per unit of x/z, over half the viewport in each direction.
    const float scale = p.front * static_cast<float>(p.height) / (2.0f * p.field);
    glUniform2f(m_scale, 2.0f * scale / static_cast<float>(p.width),
                2.0f * scale / static_cast<float>(p.height));
    const float n = p.front, f = p.back;
    glUniform2f(m_depth, (f + n) / (f - n), -2.0f * f * n / (f - n));
    // Channels wider than 8 bits get the 8-bit value as it is.
    auto step = [](int b) { return static_cast<float>(1 << (8 - Clamped(b))); };
    auto levels = [](int b) { return static_cast<float>((1 << Clamped(b)) - 1); };
    glUniform3f(m_step, step(bits.red), step(bits.green), step(bits.blue));
    glUniform3f(m_levels, levels(bits.red), levels(bits.green), levels(bits.blue));
}

} // namespace gl
